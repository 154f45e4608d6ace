#version 430 core

// Embers: hot yellow when born, cooling to a dark red as they rise and die. Each face is lit
// flat from above so the cubes read as solid, over a glow of their own so no side goes dull.

in vec3 worldPosition;
in float lifeLeft;

uniform mat3 normalMatrix;
uniform vec3 materialCoefficients; // ambient, diffuse, specular
uniform float specularAlpha;
uniform float brightness;

out vec4 fragColor;

void main()
{
    vec3 faceNormal = normalize(normalMatrix * cross(dFdx(worldPosition), dFdy(worldPosition)));
    vec3 toLight = normalize(vec3(0.3, 1.0, 0.5));
    float diffuse = max(dot(faceNormal, toLight), 0.0);
    float sheen = materialCoefficients.z * pow(diffuse, 1.0 / max(specularAlpha, 0.01));

    vec3 ember = mix(vec3(0.55, 0.04, 0.02), vec3(1.0, 0.85, 0.25), lifeLeft);
    float glow = 0.35 + brightness;
    vec3 lit = ember * (glow + materialCoefficients.x + materialCoefficients.y * diffuse);
    fragColor = vec4(lit + vec3(sheen), 1.0);
}
