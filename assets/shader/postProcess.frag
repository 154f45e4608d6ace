#version 430 core

// Composes the scene picture onto the window.
// Outlines: window depth is an affine function of 1/distance, and 1/distance changes linearly
// across any flat surface on screen. So the second difference of the depth over a pixel's four
// neighbours is zero inside flat areas and jumps at silhouettes (depth steps) and at creases
// (the slope changes). Measured relative to the pixel's own 1/distance it means the same near
// and far. Five depth fetches per pixel.
// Dead: the colour drains to grey, darkens and takes a cold red cast, with darker corners.

in vec2 uv;

uniform sampler2D screenTexture;
uniform sampler2D depthTexture;
uniform int outlines;
uniform int dead;

out vec4 fragColor;

// The cameras' default clip distances. Any affine map of the depth keeps flat areas flat, so
// other settings only shift how strong a line is, not where it is drawn.
const float near = 0.1;
const float far = 100.0;

float inverseDistance(float depth)
{
    return (far - depth * (far - near)) / (near * far);
}

float outlineStrength(ivec2 pixel)
{
    // The depth picture has the window's size and is read without filtering, so each tap is a
    // plain texel fetch. At the window's border a neighbour is missing, which would fake a bend
    // on every tilted surface there: that direction is left out (its taps are clamped inside).
    ivec2 last = textureSize(depthTexture, 0) - 1;
    ivec2 low = max(pixel - 1, ivec2(0));
    ivec2 high = min(pixel + 1, last);
    float centre = inverseDistance(texelFetch(depthTexture, pixel, 0).r);
    float left = inverseDistance(texelFetch(depthTexture, ivec2(low.x, pixel.y), 0).r);
    float right = inverseDistance(texelFetch(depthTexture, ivec2(high.x, pixel.y), 0).r);
    float below = inverseDistance(texelFetch(depthTexture, ivec2(pixel.x, low.y), 0).r);
    float above = inverseDistance(texelFetch(depthTexture, ivec2(pixel.x, high.y), 0).r);
    float across = pixel.x > 0 && pixel.x < last.x ? left + right - 2.0 * centre : 0.0;
    float along = pixel.y > 0 && pixel.y < last.y ? below + above - 2.0 * centre : 0.0;
    float bend = (abs(across) + abs(along)) / centre;
    return smoothstep(0.001, 0.004, bend);
}

void main()
{
    // The picture has the window's size: each pixel takes its own texel, unfiltered.
    ivec2 pixel = ivec2(gl_FragCoord.xy);
    vec3 colour = texelFetch(screenTexture, pixel, 0).rgb;
    if (outlines == 1) {
        colour *= 1.0 - 0.85 * outlineStrength(pixel);
    }
    if (dead == 1) {
        float grey = dot(colour, vec3(0.299, 0.587, 0.114));
        vec2 fromCentre = uv - 0.5;
        float corners = 1.0 - 0.8 * dot(fromCentre, fromCentre);
        colour = grey * vec3(0.55, 0.36, 0.34) * corners;
    }
    fragColor = vec4(colour, 1.0);
}
