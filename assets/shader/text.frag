#version 430 core
// The glyph's coverage, stored in the red channel, becomes the alpha of the text colour; the
// caller blends with source alpha.

in vec2 texCoord;

layout(binding = 0) uniform sampler2D glyph;
uniform vec3 textColor;

out vec4 color;

void main()
{
    color = vec4(textColor, texture(glyph, texCoord).r);
}
