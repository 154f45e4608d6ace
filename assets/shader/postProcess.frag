#version 430 core
#ifdef GL_ARB_derivative_control
#extension GL_ARB_derivative_control : enable
#endif

// Composes the scene picture onto the window.
// Outlines: a point at distance z has window depth d = k·(1 − near/z), with k = far/(far − near)
// the depth of a point infinitely far away. So k − d is proportional to 1/z, which changes
// linearly across any flat surface on screen, and so does d itself. The second difference of
// the depth over a pixel's four neighbours is therefore zero inside flat areas and jumps at
// silhouettes (depth steps) and at creases (the slope changes). Divided by the pixel's own
// k − d it means the same near and far, whatever the clip distances. The raw depths are
// differenced as they are, so the only per-pixel division is that one.
// Dead: the colour drains to grey, darkens and takes a cold red cast, with darker corners.

in vec2 uv;

uniform sampler2D screenTexture;
uniform sampler2D depthTexture;
uniform int outlines;
uniform int dead;
// far / (far − near) of the camera that drew the depth picture.
uniform float depthAtInfinity;

out vec4 fragColor;

// The depth at the pixel, and its second differences across (x) and along (y).
struct DepthBend {
    float centre;
    float across;
    float along;
};

#ifdef GL_ARB_derivative_control
// Texel fetches are most of this pass's cost on a software rasteriser, so each pixel reads only
// the 2x2 block in its own outward corner of its 2x2 shading quad, in one gather: itself, its
// outer neighbour across and its outer neighbour along (the fourth is the diagonal, unused).
// The inner neighbours are the quad mates' own depths, which the fine derivatives hand over:
// quads start at even window coordinates, so an even pixel's mate lies to its right (above),
// an odd pixel's to its left (below).
DepthBend depthBend(ivec2 pixel)
{
    ivec2 odd = pixel & 1;
    // Gathered in the order (left, top), (right, top), (right, bottom), (left, bottom).
    vec4 block = textureGather(depthTexture, vec2(pixel + odd) / vec2(textureSize(depthTexture, 0)));
    vec2 row = odd.y == 1 ? block.wz : block.xy;    // the pixel's own row, left then right
    vec2 column = odd.x == 1 ? block.wx : block.zy; // its own column, bottom then top
    float centre = odd.x == 1 ? row.x : row.y;
    float outerAcross = odd.x == 1 ? row.y : row.x;
    float outerAlong = odd.y == 1 ? column.y : column.x;
    vec2 outward = vec2(odd * 2 - 1);
    float across = outerAcross - centre - outward.x * dFdxFine(centre);
    float along = outerAlong - centre - outward.y * dFdyFine(centre);
    return DepthBend(centre, across, along);
}
#else
// Without fine derivatives a quad's depths cannot be shared: all five taps are read.
DepthBend depthBend(ivec2 pixel)
{
    ivec2 last = textureSize(depthTexture, 0) - 1;
    ivec2 low = max(pixel - 1, ivec2(0));
    ivec2 high = min(pixel + 1, last);
    float centre = texelFetch(depthTexture, pixel, 0).r;
    float left = texelFetch(depthTexture, ivec2(low.x, pixel.y), 0).r;
    float right = texelFetch(depthTexture, ivec2(high.x, pixel.y), 0).r;
    float below = texelFetch(depthTexture, ivec2(pixel.x, low.y), 0).r;
    float above = texelFetch(depthTexture, ivec2(pixel.x, high.y), 0).r;
    return DepthBend(centre, left + right - 2.0 * centre, below + above - 2.0 * centre);
}
#endif

float outlineStrength(ivec2 pixel)
{
    DepthBend depth = depthBend(pixel);
    // At the window's border a neighbour is missing, which would fake a bend on every tilted
    // surface there: that direction is left out.
    ivec2 last = textureSize(depthTexture, 0) - 1;
    float across = pixel.x > 0 && pixel.x < last.x ? depth.across : 0.0;
    float along = pixel.y > 0 && pixel.y < last.y ? depth.along : 0.0;
    float bend = (abs(across) + abs(along)) / (depthAtInfinity - depth.centre);
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
