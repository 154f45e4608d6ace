#version 430 core

// Water: a few layers of travelling, warped sine waves make moving ripples; their crests
// light up as caustics over a deep blue-green body. Everything comes from the time, so the
// surface keeps moving whatever the game does.

in vec2 surfaceCoordinate;
in vec3 worldNormal;

uniform float time;
uniform vec2 res;

out vec4 fragColor;

void main()
{
    // Square ripples on the square surface whatever the resolution's aspect.
    vec2 p = surfaceCoordinate * 10.0 * vec2(res.x / res.y, 1.0);
    float ripple = 0.0;
    float amplitude = 1.0;
    for (int layer = 0; layer < 4; ++layer) {
        float f = float(layer);
        p += vec2(sin(p.y * 1.3 + time * (0.9 + 0.2 * f) + f * 1.7),
                  cos(p.x * 1.1 - time * (0.7 + 0.15 * f) + f * 2.3)) * 0.45;
        ripple += amplitude * sin(p.x + p.y + time * 1.2);
        amplitude *= 0.6;
    }
    ripple = ripple * 0.5 / (1.0 + 0.6 + 0.36 + 0.216) + 0.5; // 0 to 1

    vec3 deep = vec3(0.02, 0.20, 0.35);
    vec3 shallow = vec3(0.08, 0.55, 0.65);
    vec3 water = mix(deep, shallow, ripple);
    float caustic = pow(smoothstep(0.6, 1.0, ripple), 3.0);
    float facing = 0.75 + 0.25 * max(worldNormal.y, 0.0);
    fragColor = vec4(water * facing + vec3(0.9, 1.0, 1.0) * caustic * 0.6, 1.0);
}
