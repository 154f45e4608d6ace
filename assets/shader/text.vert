#version 430 core
// Head-up display text: one quad per glyph, placed in window pixels.

layout(location = 0) in vec4 vertex; // x, y in pixels from the bottom-left corner; u, v

uniform mat4 projection;

out vec2 texCoord;

void main()
{
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    texCoord = vertex.zw;
}
