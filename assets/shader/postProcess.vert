#version 430 core

layout(location = 0) in vec2 clipPosition;
layout(location = 1) in vec2 pictureCoordinate;

out vec2 uv;

void main()
{
    uv = pictureCoordinate;
    gl_Position = vec4(clipPosition, 0.0, 1.0);
}
