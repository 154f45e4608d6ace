#include "render/builtin_shaders.h"

namespace {

// The library is assembled from a few pieces so that every lighting model shares one Phong
// term and one set of light declarations.

const std::string version = "#version 430 core\n";

const std::string positionOnlyVertex = version + R"(
layout(location = 0) in vec3 position;
uniform mat4 modelMatrix;
uniform mat4 viewProjMatrix;
void main()
{
    gl_Position = viewProjMatrix * modelMatrix * vec4(position, 1.0);
}
)";

// Passes world-space position, normal and (with WITH_UV) texture coordinate on.
const std::string litVertexBody = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
#ifdef WITH_UV
layout(location = 2) in vec2 uv;
out vec2 texCoord;
#endif
uniform mat4 modelMatrix;
uniform mat4 viewProjMatrix;
uniform mat3 normalMatrix;
out vec3 worldPosition;
out vec3 worldNormal;
void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    worldPosition = world.xyz;
    worldNormal = normalMatrix * normal;
#ifdef WITH_UV
    texCoord = uv;
#endif
    gl_Position = viewProjMatrix * world;
}
)";

const std::string litVertex = version + litVertexBody;
const std::string litUvVertex = version + "#define WITH_UV\n" + litVertexBody;

const std::string fragmentInputs = R"(
in vec3 worldPosition;
in vec3 worldNormal;
)";
const std::string uvInput = "in vec2 texCoord;\n";

const std::string lightStructs = R"(
struct DirectionalLight {
    vec3 color;
    vec3 direction; // the way the light travels
};
struct PointLight {
    vec3 color;
    vec3 position;
    vec3 attenuation; // constant, linear, quadratic
};
struct SpotLight {
    vec3 color;
    vec3 position;
    vec3 attenuation;
    vec3 direction;
    float outerCone; // full cone angles, radians
    float innerCone;
};
float attenuate(vec3 a, float d)
{
    return 1.0 / (a.x + a.y * d + a.z * d * d);
}
// 1 inside half the inner cone, 0 beyond half the outer cone, smooth between.
float spotFactor(SpotLight light, vec3 fragment)
{
    float angle = acos(dot(normalize(light.direction), normalize(fragment - light.position)));
    return 1.0 - smoothstep(light.innerCone / 2.0, light.outerCone / 2.0, angle);
}
)";

// The Phong term of one light. REFLECTED may be defined before this piece to change which
// vector is mirrored about the normal.
const std::string phongTerm = R"(
uniform vec3 materialCoefficients; // ambient, diffuse, specular factors
uniform float specularAlpha;
#ifndef REFLECTED
#define REFLECTED(L, N) reflect(-(L), N)
#endif
vec3 phong(vec3 lightColor, vec3 toLight, vec3 N, vec3 V, vec3 surface, vec3 specularColor)
{
    vec3 L = normalize(toLight);
    float diffuse = max(dot(N, L), 0.0);
    float specular = pow(max(dot(REFLECTED(L, N), V), 0.0), specularAlpha);
    return lightColor * (materialCoefficients.y * diffuse * surface +
                         materialCoefficients.z * specular * specularColor);
}
)";

// shade(light colour, vector to the light) must be defined before these pieces.
const std::string oneLightEach = R"(
uniform DirectionalLight dirL;
uniform PointLight pointL;
vec3 allLights(vec3 P)
{
    vec3 toPoint = pointL.position - P;
    return shade(dirL.color, -dirL.direction) +
           attenuate(pointL.attenuation, length(toPoint)) * shade(pointL.color, toPoint);
}
)";

const std::string lightArrays = R"(
const int maximumLights = 10;
uniform DirectionalLight dLights[maximumLights];
uniform PointLight pLights[maximumLights];
uniform SpotLight spLights[maximumLights];
uniform int numDirectionalLights;
uniform int numPointLights;
uniform int numSpotLights;
vec3 allLights(vec3 P)
{
    vec3 sum = vec3(0.0);
    for (int i = 0; i < min(numDirectionalLights, maximumLights); ++i) {
        sum += shade(dLights[i].color, -dLights[i].direction);
    }
    for (int i = 0; i < min(numPointLights, maximumLights); ++i) {
        vec3 toLight = pLights[i].position - P;
        sum += attenuate(pLights[i].attenuation, length(toLight)) *
               shade(pLights[i].color, toLight);
    }
    for (int i = 0; i < min(numSpotLights, maximumLights); ++i) {
        vec3 toLight = spLights[i].position - P;
        sum += attenuate(spLights[i].attenuation, length(toLight)) *
               spotFactor(spLights[i], P) * shade(spLights[i].color, toLight);
    }
    return sum;
}
)";

// A per-fragment Phong program: `surfaceDeclarations` declares the inputs that give the
// surface colour `surfaceExpression` and specular colour `specularExpression`.
ShaderSourcePair perFragmentPhong(bool textured, const std::string& lights,
                                  const std::string& surfaceDeclarations,
                                  const std::string& surfaceExpression,
                                  const std::string& specularExpression,
                                  const std::string& prelude = "")
{
    std::string fragment = version + prelude + fragmentInputs + (textured ? uvInput : "") +
                           lightStructs + phongTerm + surfaceDeclarations +
                           "uniform vec3 camera_world;\n"
                           "vec3 N;\nvec3 V;\nvec3 surface;\nvec3 specularColor;\n"
                           "vec3 shade(vec3 lightColor, vec3 toLight)\n{\n"
                           "    return phong(lightColor, toLight, N, V, surface, specularColor);\n"
                           "}\n" +
                           lights + R"(
out vec4 color;
void main()
{
    N = normalize(worldNormal);
    V = normalize(camera_world - worldPosition);
    surface = )" + surfaceExpression +
                           R"(;
    specularColor = )" + specularExpression +
                           R"(;
    color = vec4(materialCoefficients.x * surface + allLights(worldPosition), 1.0);
}
)";
    return {textured ? litUvVertex : litVertex, fragment};
}

// Phong evaluated per vertex with a constant colour; the fragment stage only interpolates.
ShaderSourcePair perVertexPhong(const std::string& lights)
{
    const std::string vertex = version + R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
uniform mat4 modelMatrix;
uniform mat4 viewProjMatrix;
uniform mat3 normalMatrix;
uniform vec3 camera_world;
uniform vec3 diffuseColor;
)" + lightStructs + phongTerm + R"(
vec3 N;
vec3 V;
vec3 shade(vec3 lightColor, vec3 toLight)
{
    return phong(lightColor, toLight, N, V, diffuseColor, vec3(1.0));
}
)" + lights + R"(
out vec3 vertexColor;
void main()
{
    vec4 world = modelMatrix * vec4(position, 1.0);
    N = normalize(normalMatrix * normal);
    V = normalize(camera_world - world.xyz);
    vertexColor = materialCoefficients.x * diffuseColor + allLights(world.xyz);
    gl_Position = viewProjMatrix * world;
}
)";
    const std::string fragment = version + R"(
in vec3 vertexColor;
out vec4 color;
void main()
{
    color = vec4(vertexColor, 1.0);
}
)";
    return {vertex, fragment};
}

ShaderSourcePair constantColor()
{
    return {positionOnlyVertex, version + R"(
uniform vec3 diffuseColor;
out vec4 color;
void main()
{
    color = vec4(diffuseColor, 1.0);
}
)"};
}

// Cook-Torrance with a Beckmann distribution, Schlick's Fresnel term and the classic geometric
// attenuation. materialCoefficients = (roughness, F0, diffuse reflectivity); alpha scales the
// ambient term.
ShaderSourcePair cookTorrance()
{
    const std::string fragment = version + fragmentInputs + lightStructs + R"(
uniform vec3 camera_world;
uniform vec3 diffuseColor;
uniform float alpha;
uniform vec3 materialCoefficients;
const float pi = 3.14159265;
vec3 N;
vec3 V;
vec3 shade(vec3 lightColor, vec3 toLight)
{
    vec3 L = normalize(toLight);
    float NdotL = dot(N, L);
    if (NdotL <= 0.0) {
        return vec3(0.0);
    }
    vec3 H = normalize(L + V);
    float NdotV = max(dot(N, V), 1e-4);
    float NdotH = max(dot(N, H), 1e-4);
    float VdotH = max(dot(V, H), 1e-4);

    float m2 = max(materialCoefficients.x * materialCoefficients.x, 1e-6);
    float c2 = NdotH * NdotH;
    float D = exp((c2 - 1.0) / (m2 * c2)) / (pi * m2 * c2 * c2);
    float F = materialCoefficients.y + (1.0 - materialCoefficients.y) * pow(1.0 - VdotH, 5.0);
    float G = min(1.0, min(2.0 * NdotH * NdotV / VdotH, 2.0 * NdotH * NdotL / VdotH));
    float specular = D * F * G / (4.0 * NdotV);
    return lightColor * (materialCoefficients.z * diffuseColor * NdotL + specular);
}
)" + lightArrays + R"(
out vec4 color;
void main()
{
    N = normalize(worldNormal);
    V = normalize(camera_world - worldPosition);
    color = vec4(alpha * diffuseColor + allLights(worldPosition), 1.0);
}
)";
    return {litVertex, fragment};
}

std::unordered_map<std::string, ShaderSourcePair> makeBuiltinShaders()
{
    const std::string flatColor = "uniform vec3 diffuseColor;\n";
    const std::string colourTexture = "uniform sampler2D diffuseTexture;\n";
    const std::string sampled = "texture(diffuseTexture, texCoord).rgb";
    return {
        {"color", constantColor()},
        {"cookTorrance", cookTorrance()},
        {"environmentMap",
         perFragmentPhong(true, lightArrays, colourTexture + "uniform samplerCube cubeMap;\n",
                          sampled, "texture(cubeMap, reflect(-V, N)).rgb")},
        {"phongGouraud", perVertexPhong(oneLightEach)},
        {"phongGouraudBonus", perVertexPhong(lightArrays)},
        {"phongPhong",
         perFragmentPhong(false, oneLightEach, flatColor, "diffuseColor", "vec3(1.0)")},
        {"phongPhongBonus",
         perFragmentPhong(false, lightArrays, flatColor, "diffuseColor", "vec3(1.0)")},
        // This model mirrors the light vector itself rather than its opposite.
        {"specularMap",
         perFragmentPhong(true, lightArrays, colourTexture + "uniform sampler2D specularTexture;\n",
                          sampled, "texture(specularTexture, texCoord).rgb",
                          "#define REFLECTED(L, N) reflect(L, N)\n")},
        {"texture", perFragmentPhong(true, oneLightEach, colourTexture, sampled, "vec3(1.0)")},
        {"textureBonus", perFragmentPhong(true, lightArrays, colourTexture, sampled, "vec3(1.0)")},
    };
}

} // namespace

const std::unordered_map<std::string, ShaderSourcePair> builtinShaders = makeBuiltinShaders();
