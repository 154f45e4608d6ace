#version 430 core

layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;

uniform mat4 projection; // the camera's view-projection
uniform mat4 transformation;
uniform mat3 normalMatrix;

out vec2 surfaceCoordinate;
out vec3 worldNormal;

void main()
{
    surfaceCoordinate = uv;
    worldNormal = normalize(normalMatrix * normal);
    gl_Position = projection * transformation * vec4(position, 1.0);
}
