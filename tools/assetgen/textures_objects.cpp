#include "assetgen/noise.h"
#include "assetgen/texture_layout.h"
#include "assetgen/textures.h"

#include "physics/level_layout.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace textures {

namespace {

bool inside(const UvRect& rect, glm::vec2 uv)
{
    return uv.x >= rect.u0 && uv.x < rect.u1 && uv.y >= rect.v0 && uv.y < rect.v1;
}

// Position within a rectangle, 0..1 each way (v downwards).
glm::vec2 within(const UvRect& rect, glm::vec2 uv)
{
    return {(uv.x - rect.u0) / (rect.u1 - rect.u0), (uv.y - rect.v0) / (rect.v1 - rect.v0)};
}

glm::vec3 steel(glm::vec2 uv, float along)
{
    const glm::vec2 p = along > 0.0f ? glm::vec2(uv.x * 2.0f, uv.y * 300.0f)
                                     : glm::vec2(uv.x * 300.0f, uv.y * 2.0f);
    const glm::ivec2 period = along > 0.0f ? glm::ivec2(2, 300) : glm::ivec2(300, 2);
    const float streaks = noise::fractal(p, period, 3, 71u);
    const float shade = 0.66f + 0.16f * streaks;
    return {shade * 0.98f, shade, shade * 1.03f};
}

// Distance from a point to the nearest edge of a line of points (closed: back to the first).
float outlineDistance(const std::vector<glm::vec2>& outline, glm::vec2 p, bool closed = true)
{
    float nearest = 1e30f;
    const std::size_t edges = closed ? outline.size() : outline.size() - 1;
    for (std::size_t i = 0; i < edges; ++i) {
        const glm::vec2 a = outline[i];
        const glm::vec2 b = outline[(i + 1) % outline.size()];
        const glm::vec2 ab = b - a;
        const float t = std::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f);
        nearest = std::min(nearest, glm::length(p - (a + ab * t)));
    }
    return nearest;
}

glm::vec3 burner(float distance, glm::vec2 offset)
{
    // Cap in the middle, a ring of flame ports, a steel spreader and the enamel round it.
    const float r = layout::burnerRadius;
    if (distance < r * 0.42f) {
        const float highlight =
            1.0f - glm::smoothstep(0.0f, r * 0.42f, glm::length(offset + glm::vec2(0.15f, -0.15f)));
        return glm::vec3(0.1f, 0.1f, 0.11f) + glm::vec3(0.18f) * highlight;
    }
    if (distance < r * 0.5f) {
        const float angle = std::atan2(offset.y, offset.x);
        const bool port = std::sin(angle * 18.0f) > 0.3f;
        return port ? glm::vec3(0.03f) : glm::vec3(0.45f, 0.45f, 0.47f);
    }
    if (distance < r) {
        const float ring = 0.5f + 0.5f * std::sin(distance * 28.0f);
        return glm::vec3(0.52f, 0.53f, 0.55f) * (0.85f + 0.2f * ring);
    }
    if (distance < r + 0.12f) {
        return glm::vec3(0.25f, 0.25f, 0.27f);
    }
    return glm::vec3(-1.0f); // not part of the burner
}

} // namespace

Image stove()
{
    const float enamelSpeck = 0.03f;
    return paint(1024, 1024, [&](glm::vec2 uv) {
        if (layout::stoveHob.holds(uv)) {
            const glm::vec2 world = layout::stoveHob.model(uv); // (x, -z)
            const layout::HobLayout& hob = layout::hob;
            const float border =
                std::min({world.x - hob.x0, hob.x1 - world.x, -world.y - hob.z0, hob.z1 + world.y});
            if (border < 0.3f) {
                return steel(uv, 1.0f); // the trim round the glass
            }
            for (const glm::vec3& spot : level::hazardSpots) {
                const glm::vec2 offset(world.x - spot.x, -world.y - spot.z);
                const glm::vec3 ring = burner(glm::length(offset), offset);
                if (ring.x >= 0.0f) {
                    return ring;
                }
            }
            const float speck = noise::value(uv * 512.0f, {512, 512}, 81u);
            const float sheen = noise::fractal(uv * 4.0f, {4, 4}, 3, 82u);
            return glm::vec3(0.07f, 0.07f, 0.08f) + glm::vec3(speck > 0.9f ? enamelSpeck : 0.0f) +
                   glm::vec3(0.04f * sheen);
        }
        if (layout::stoveOven.holds(uv)) {
            const glm::vec2 front = layout::stoveOven.model(uv); // (-x, y)
            const float x = -front.x, y = front.y;
            const float stripBottom = layout::ovenKnobY - 1.0f;
            if (y > stripBottom) {
                // The control strip: steel with a tick above each knob.
                glm::vec3 colour = steel(uv, -1.0f);
                for (float knob : layout::ovenKnobsX()) {
                    if (std::fabs(x - knob) < 0.05f && y > layout::ovenKnobY + 0.55f &&
                        y < layout::ovenKnobY + 0.85f) {
                        colour = glm::vec3(0.08f);
                    }
                }
                return y > stripBottom + 0.08f ? colour : glm::vec3(0.2f);
            }
            const glm::vec3 enamel(0.92f, 0.91f, 0.87f);
            const float windowX0 = layout::ovenX0 + 3.0f, windowX1 = layout::ovenX1 - 3.0f;
            const float inX = std::min(x - windowX0, windowX1 - x);
            const float inY = std::min(y - layout::ovenWindowY0, layout::ovenWindowY1 - y);
            const float inWindow = std::min(inX, inY);
            if (inWindow > 0.0f) {
                // Dark glass with a soft reflection across it.
                const float reflection =
                    glm::smoothstep(0.0f, 1.0f,
                                    1.0f - std::fabs((x - windowX0) * 0.08f -
                                                     (y - layout::ovenWindowY0) * 0.2f - 0.6f));
                return glm::vec3(0.06f, 0.06f, 0.07f) + glm::vec3(0.12f) * reflection;
            }
            if (inWindow > -0.5f) {
                return glm::vec3(0.18f); // the window's frame
            }
            const float edge =
                std::min({x - layout::ovenX0, layout::ovenX1 - x, y - layout::ovenY0});
            return enamel * (edge < 0.25f ? 0.8f : 1.0f) *
                   (0.97f + 0.03f * noise::fractal(uv * 16.0f, {16, 16}, 3, 83u));
        }
        if (inside(layout::stoveKnob, uv)) {
            const glm::vec2 p = within(layout::stoveKnob, uv) * 2.0f - 1.0f;
            const float r = glm::length(p);
            glm::vec3 colour = glm::vec3(0.75f) * (1.0f - 0.3f * r);
            if (std::fabs(p.x) < 0.08f && p.y < 0.0f && r < 0.8f) {
                colour = glm::vec3(0.1f); // the pointer
            }
            return r > 0.92f ? glm::vec3(0.35f) : colour;
        }
        return steel(uv, 1.0f);
    });
}

Image knife()
{
    // The cutting edge: the outline from the tip round to the heel.
    const auto outline = layout::knifeBladeOutline();
    const std::vector<glm::vec2> edge(outline.begin() + 2, outline.end());
    const auto handle = layout::knifeHandleOutline();
    return paint(512, 512, [&](glm::vec2 uv) {
        if (layout::knifeBlade.holds(uv)) {
            const glm::vec2 p = layout::knifeBlade.model(uv); // (z, y)
            // Brushed along the blade; the ground bevel is brighter towards the edge.
            const float streaks = noise::fractal({uv.x * 3.0f, uv.y * 200.0f}, {3, 200}, 3, 91u);
            glm::vec3 colour = glm::vec3(0.70f, 0.72f, 0.75f) * (0.9f + 0.15f * streaks);
            const float fromSpine = 0.9f - p.x;
            const float fromEdge = outlineDistance(edge, p, false);
            if (fromEdge < 0.28f && fromSpine > 0.3f) {
                colour = glm::mix(colour, glm::vec3(0.9f, 0.92f, 0.95f), 1.0f - fromEdge / 0.28f);
            }
            if (fromSpine < 0.06f) {
                colour *= 0.8f;
            }
            return colour;
        }
        if (layout::knifeHandle.holds(uv)) {
            const glm::vec2 p = layout::knifeHandle.model(uv);
            for (glm::vec2 rivet : layout::knifeRivets()) {
                const float d = glm::length(p - rivet);
                if (d < layout::knifeRivetRadius) {
                    return glm::vec3(0.85f) - glm::vec3(0.4f * d / layout::knifeRivetRadius);
                }
            }
            const float wood = noise::fractal({uv.x * 8.0f, uv.y * 64.0f}, {8, 64}, 3, 92u);
            glm::vec3 colour =
                glm::vec3(0.09f, 0.07f, 0.06f) + glm::vec3(0.07f, 0.04f, 0.02f) * wood;
            if (outlineDistance(handle, p) < 0.04f) {
                colour *= 1.6f; // worn edges catch the light
            }
            return colour;
        }
        return glm::vec3(0.5f);
    });
}

Image redBook()
{
    return paint(512, 512, [](glm::vec2 uv) {
        const float weave = noise::value(uv * 256.0f, {256, 256}, 101u);
        const float wear = noise::fractal(uv * 8.0f, {8, 8}, 4, 102u);
        const glm::vec3 cloth =
            glm::vec3(0.62f, 0.08f, 0.07f) * (0.85f + 0.15f * weave + 0.15f * wear);
        const glm::vec3 gold(0.85f, 0.66f, 0.25f);
        if (uv.x < layout::bookCover.u1) {
            const glm::vec2 p = within(layout::bookCover, uv);
            const float border = std::min({p.x, 1.0f - p.x, p.y, 1.0f - p.y});
            if (border > 0.06f && border < 0.075f) {
                return cloth * 0.6f; // blind-tooled frame
            }
            // A title panel: a gold frame with three lines of lettering-like dashes.
            const glm::vec2 panel = (p - glm::vec2(0.2f, 0.18f)) / glm::vec2(0.6f, 0.22f);
            if (panel.x > 0.0f && panel.x < 1.0f && panel.y > 0.0f && panel.y < 1.0f) {
                const float frame = std::min({panel.x, 1.0f - panel.x, panel.y, 1.0f - panel.y});
                if (frame < 0.04f) {
                    return gold;
                }
                const float line = panel.y * 3.0f - std::floor(panel.y * 3.0f);
                const int word = static_cast<int>(panel.x * 9.0f);
                const bool letters =
                    line > 0.35f && line < 0.7f && panel.x > 0.12f && panel.x < 0.88f &&
                    noise::random(word, static_cast<int>(panel.y * 3.0f), 103u) > 0.25f &&
                    std::sin(panel.x * 140.0f) > -0.6f;
                return letters ? gold * 0.95f : cloth;
            }
            return cloth;
        }
        if (uv.x < layout::bookSpine.u1) {
            // Along the spine (v): a pair of gold bands near each end and a title label.
            const glm::vec2 p = within(layout::bookSpine, uv);
            const float end = std::min(p.y, 1.0f - p.y);
            const bool band = (end > 0.06f && end < 0.075f) || (end > 0.1f && end < 0.115f);
            const bool label = std::fabs(p.y - 0.5f) < 0.08f && p.x > 0.3f && p.x < 0.7f;
            if (band) {
                return gold;
            }
            return label ? glm::vec3(0.3f, 0.05f, 0.04f) : cloth * 0.9f;
        }
        // Page edges: fine lines along u, a little yellowed.
        const float lines = noise::value({uv.x * 4.0f, uv.y * 400.0f}, {4, 400}, 104u);
        return glm::vec3(0.93f, 0.90f, 0.80f) * (0.85f + 0.15f * lines);
    });
}

Image broom()
{
    return paint(512, 512, [](glm::vec2 uv) {
        if (inside(layout::broomStraw, uv)) {
            // Straw fibres along u, each with its own tone, some darker stalks between.
            const int fibre = static_cast<int>(uv.y * 260.0f);
            const float tone = noise::random(fibre, 0, 111u);
            const float along =
                noise::fractal({uv.x * 8.0f, static_cast<float>(fibre)}, {8, 260}, 3, 112u);
            glm::vec3 colour =
                glm::mix(glm::vec3(0.88f, 0.74f, 0.38f), glm::vec3(0.66f, 0.5f, 0.22f), tone);
            colour *= 0.85f + 0.2f * along;
            const float inFibre = uv.y * 260.0f - static_cast<float>(fibre);
            if (inFibre < 0.18f) {
                colour *= 0.6f;
            }
            return colour;
        }
        if (inside(layout::broomHandle, uv)) {
            const float grainLines = noise::fractal({uv.x * 40.0f, uv.y * 4.0f}, {40, 4}, 3, 113u);
            return glm::vec3(0.72f, 0.16f, 0.10f) * (0.88f + 0.18f * grainLines);
        }
        const float grainLines = noise::fractal({uv.x * 6.0f, uv.y * 40.0f}, {6, 40}, 3, 114u);
        return glm::vec3(0.42f, 0.27f, 0.14f) * (0.8f + 0.3f * grainLines);
    });
}

} // namespace textures
