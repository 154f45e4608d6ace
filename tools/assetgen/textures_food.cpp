#include "assetgen/noise.h"
#include "assetgen/texture_layout.h"
#include "assetgen/textures.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace textures {

namespace {

float outlineDistance(const std::vector<glm::vec2>& outline, glm::vec2 p)
{
    float nearest = 1e30f;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const glm::vec2 a = outline[i];
        const glm::vec2 ab = outline[(i + 1) % outline.size()] - a;
        const float t = std::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f);
        nearest = std::min(nearest, glm::length(p - (a + ab * t)));
    }
    return nearest;
}

// An ellipse test in a frame turned by `angle`: 0 at the centre, 1 on the rim.
float ellipse(glm::vec2 p, glm::vec2 centre, glm::vec2 radii, float angle = 0.0f)
{
    const glm::vec2 d = p - centre;
    const float c = std::cos(angle), s = std::sin(angle);
    const glm::vec2 turned(c * d.x + s * d.y, -s * d.x + c * d.y);
    return glm::length(turned / radii);
}

glm::vec3 baked(glm::vec2 uv, float toast)
{
    const float blotches = noise::fractal(uv * 24.0f, {24, 24}, 4, 121u);
    const glm::vec3 dough(0.86f, 0.66f, 0.38f);
    const glm::vec3 brown(0.55f, 0.32f, 0.13f);
    return glm::mix(dough, brown, std::clamp(toast + 0.5f * (blotches - 0.5f), 0.0f, 1.0f));
}

struct Topping {
    glm::vec2 centre;
    float angle;
};

// Olives, basil leaves and mushroom slices, placed between the pepperoni.
const std::array<Topping, 10> olives{{{{1.0f, 1.1f}, 0},
                                      {{-0.9f, 0.2f}, 0},
                                      {{2.9f, -0.3f}, 0},
                                      {{-2.6f, 2.5f}, 0},
                                      {{0.4f, -1.2f}, 0},
                                      {{-3.3f, 1.1f}, 0},
                                      {{1.9f, -3.0f}, 0},
                                      {{-1.6f, -3.3f}, 0},
                                      {{2.2f, 2.6f}, 0},
                                      {{-0.2f, 2.0f}, 0}}};
const std::array<Topping, 6> basil{{{{1.5f, -0.9f}, 0.6f},
                                    {{-1.7f, 2.5f}, 2.1f},
                                    {{-2.5f, -1.2f}, 1.2f},
                                    {{0.3f, 3.6f}, 0.2f},
                                    {{3.4f, 0.2f}, 2.7f},
                                    {{-0.4f, -2.6f}, 1.8f}}};
const std::array<Topping, 6> mushrooms{{{{-0.8f, 1.2f}, 0.3f},
                                        {{1.6f, 1.8f}, 1.4f},
                                        {{-3.6f, 0.3f}, 2.4f},
                                        {{2.8f, -2.6f}, 0.9f},
                                        {{-1.2f, -0.6f}, 2.0f},
                                        {{0.9f, -1.7f}, 3.0f}}};

glm::vec3 pizzaTop(glm::vec2 uv, glm::vec2 p)
{
    for (glm::vec2 centre : layout::pepperoni()) {
        const float d = glm::length(p - centre) / layout::pepperoniRadius;
        if (d < 1.0f) {
            const float spots =
                noise::value((p - centre) * 9.0f + glm::vec2(40.0f), {64, 64}, 131u);
            glm::vec3 colour = glm::vec3(0.62f, 0.13f, 0.09f) * (0.85f + 0.2f * spots);
            if (spots > 0.75f) {
                colour = glm::vec3(0.78f, 0.45f, 0.35f); // fat
            }
            return d > 0.85f ? colour * 0.65f : colour; // crisped rim
        }
    }
    for (const Topping& olive : olives) {
        const float d = ellipse(p, olive.centre, {0.24f, 0.24f});
        if (d < 1.0f) {
            return d < 0.45f ? glm::vec3(0.55f, 0.15f, 0.08f) : glm::vec3(0.06f, 0.06f, 0.05f);
        }
    }
    for (const Topping& leaf : basil) {
        const float d = ellipse(p, leaf.centre, {0.55f, 0.26f}, leaf.angle);
        if (d < 1.0f) {
            return glm::vec3(0.16f, 0.42f, 0.12f) * (0.8f + 0.3f * (1.0f - d));
        }
    }
    for (const Topping& mushroom : mushrooms) {
        const float cap = ellipse(p, mushroom.centre, {0.42f, 0.3f}, mushroom.angle);
        const glm::vec2 stalkCentre =
            mushroom.centre +
            0.32f * glm::vec2(std::sin(mushroom.angle), -std::cos(mushroom.angle)) * -1.0f;
        const float stalk = ellipse(p, stalkCentre, {0.13f, 0.25f}, mushroom.angle);
        if (cap < 1.0f || stalk < 1.0f) {
            return cap > 0.8f && cap < 1.0f ? glm::vec3(0.55f, 0.43f, 0.32f)
                                            : glm::vec3(0.86f, 0.8f, 0.68f);
        }
    }
    // Melted cheese over the sauce, browned in places.
    const float melt = noise::fractal(uv * 16.0f, {16, 16}, 5, 132u);
    const float browning = noise::fractal(uv * 32.0f, {32, 32}, 3, 133u);
    const glm::vec3 sauce(0.70f, 0.14f, 0.07f);
    glm::vec3 cheese = glm::vec3(0.98f, 0.86f, 0.48f);
    if (browning > 0.68f) {
        cheese = glm::mix(cheese, glm::vec3(0.80f, 0.52f, 0.22f), (browning - 0.68f) * 3.0f);
    }
    return glm::mix(sauce, cheese, glm::smoothstep(0.38f, 0.48f, melt));
}

} // namespace

Image pizza()
{
    return paint(1024, 1024, [](glm::vec2 uv) {
        const glm::vec2 p = layout::pizzaTop.model(uv); // (x, z)
        const float r = glm::length(p);
        if (r > layout::pizzaRadius) {
            return baked(uv, 0.35f); // the underside and the rim read this
        }
        if (r > layout::pizzaSauceRadius) {
            // The crust: darker towards its crest, dusted with flour.
            const float crest = 1.0f - std::fabs(r - 4.75f) / 0.5f;
            glm::vec3 colour = baked(uv, 0.25f + 0.35f * crest);
            if (noise::value(uv * 300.0f, {300, 300}, 134u) > 0.93f) {
                colour = glm::vec3(0.92f, 0.88f, 0.8f);
            }
            return colour;
        }
        return pizzaTop(uv, p);
    });
}

Image tamboro()
{
    const auto outline = layout::tamboroOutline();
    const auto crumb = [&](glm::vec2 uv, glm::vec2 p) {
        // Soft crumb with pores, toasting towards the crust.
        const float pores = noise::cellDistance(uv * 48.0f, {48, 48}, 141u);
        const float tone = noise::fractal(uv * 12.0f, {12, 12}, 4, 142u);
        glm::vec3 colour = glm::vec3(0.95f, 0.86f, 0.62f) * (0.92f + 0.1f * tone);
        if (pores < 0.22f) {
            colour *= 0.78f + pores;
        }
        const float edge = outlineDistance(outline, p);
        if (edge < layout::tamboroCrustWidth) {
            return glm::vec3(0.55f, 0.31f, 0.12f) * (0.9f + 0.15f * tone);
        }
        const float toast = 1.0f - glm::smoothstep(layout::tamboroCrustWidth, 0.14f, edge);
        return glm::mix(colour, glm::vec3(0.83f, 0.58f, 0.28f), toast * 0.8f);
    };
    return paint(512, 512, [&](glm::vec2 uv) {
        if (layout::tamboroFront.holds(uv)) {
            const glm::vec2 p = layout::tamboroFront.model(uv); // (-z, y)
            glm::vec3 colour = crumb(uv, p);
            // Rosy cheeks.
            for (float side : {-1.0f, 1.0f}) {
                const float cheek = ellipse(p, {side * 0.18f, 1.43f}, {0.06f, 0.045f});
                if (cheek < 1.0f) {
                    colour = glm::mix(colour, glm::vec3(0.93f, 0.5f, 0.45f), 0.6f * (1.0f - cheek));
                }
            }
            for (float side : {-1.0f, 1.0f}) {
                const glm::vec2 eye(side * 0.1f, 1.63f);
                const float white = ellipse(p, eye, {0.068f, 0.09f});
                const float pupil = ellipse(p, eye + glm::vec2(0.0f, -0.015f), {0.036f, 0.048f});
                const float shine = ellipse(p, eye + glm::vec2(0.012f, 0.008f), {0.012f, 0.014f});
                if (shine < 1.0f) {
                    return glm::vec3(1.0f);
                }
                if (pupil < 1.0f) {
                    return glm::vec3(0.05f, 0.04f, 0.04f);
                }
                if (white < 1.0f) {
                    return white > 0.88f ? glm::vec3(0.25f, 0.15f, 0.1f) : glm::vec3(0.98f);
                }
                // Eyebrows: short dark arcs.
                const glm::vec2 brow = p - (eye + glm::vec2(0.0f, 0.02f));
                const float arc = std::fabs(glm::length(brow / glm::vec2(1.0f, 0.8f)) - 0.12f);
                if (arc < 0.012f && brow.y > 0.075f) {
                    return glm::vec3(0.3f, 0.17f, 0.08f);
                }
            }
            // A wide smile.
            const glm::vec2 mouth = p - glm::vec2(0.0f, 1.47f);
            const float smile = std::fabs(glm::length(mouth) - 0.11f);
            if (smile < 0.014f && mouth.y < -0.04f) {
                return glm::vec3(0.45f, 0.12f, 0.1f);
            }
            return colour;
        }
        if (layout::tamboroBack.holds(uv)) {
            return crumb(uv, layout::tamboroBack.model(uv));
        }
        if (uv.x < layout::tamboroCrust.u1 + 0.01f) {
            const float bumps = noise::fractal(uv * 32.0f, {32, 32}, 4, 143u);
            return glm::vec3(0.55f, 0.31f, 0.12f) * (0.8f + 0.35f * bumps);
        }
        if (uv.y < layout::tamboroLegs.v1 + 0.02f) {
            return glm::vec3(0.62f, 0.38f, 0.16f); // legs, crust-coloured
        }
        const float shine = 1.0f - std::fabs(uv.y - 0.7f) * 4.0f;
        return glm::vec3(0.75f, 0.12f, 0.1f) * (0.85f + 0.25f * std::max(shine, 0.0f)); // shoes
    });
}

} // namespace textures
