#version 430 core
// Phong lighting of a large kitchen surface, darkened by its baked light map (unit 2). The light
// map spans the surface once, so the colour texture repeats colourTiling times across it to keep
// its detail. Otherwise as texture.frag.

in vec3 worldPosition;
in vec3 worldNormal;
in vec2 texCoord;

struct DirectionalLight {
    vec3 color;
    vec3 direction; // the way the light travels
};
struct PointLight {
    vec3 color;
    vec3 position;
    vec3 attenuation; // constant, linear, quadratic
};

uniform DirectionalLight dirL;
uniform PointLight pointL;
uniform vec3 camera_world;
uniform vec3 materialCoefficients; // ambient, diffuse, specular factors
uniform float specularAlpha;
uniform float brightness;
uniform int toon;
layout(binding = 0) uniform sampler2D diffuseTexture;
layout(binding = 2) uniform sampler2D lightMap;

const float colourTiling = 8.0;

out vec4 color;

vec3 phong(vec3 lightColor, vec3 toLight, vec3 N, vec3 V, vec3 surface)
{
    vec3 L = normalize(toLight);
    float diffuse = max(dot(N, L), 0.0);
    float specular = pow(max(dot(reflect(-L, N), V), 0.0), specularAlpha);
    if (toon == 1) {
        diffuse = ceil(diffuse * 3.0) / 3.0;
        // A small, hard-edged highlight: wide ones read as a spotlight on the counter.
        specular = smoothstep(0.75, 0.8, specular);
    }
    return lightColor * (materialCoefficients.y * diffuse * surface +
                         materialCoefficients.z * specular);
}

void main()
{
    vec3 surface = texture(diffuseTexture, texCoord * colourTiling).rgb;
    vec3 N = normalize(worldNormal);
    vec3 V = normalize(camera_world - worldPosition);

    vec3 lit = materialCoefficients.x * surface + phong(dirL.color, -dirL.direction, N, V, surface);
    // A black point light adds nothing: skip its work, which is dear on a software rasteriser.
    if (any(greaterThan(pointL.color, vec3(0.0)))) {
        vec3 toPoint = pointL.position - worldPosition;
        float d = length(toPoint);
        vec3 a = pointL.attenuation;
        lit += phong(pointL.color, toPoint, N, V, surface) / (a.x + a.y * d + a.z * d * d);
    }
    color = vec4(brightness * lit * texture(lightMap, texCoord).rgb, 1.0);
}
