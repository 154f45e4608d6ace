#pragma once

#include "assetgen/mesh_shapes.h"

#include <glm/vec2.hpp>

#include <vector>

// Where the parts of a model read their picture: the model builders and the texture painters
// share these maps, so a painted detail (a burner, an eye, a rivet) lands exactly on the part
// it belongs to. Painters work in model coordinates through the inverse map.
namespace layout {

// A flat part of a model, seen from outside: its 2D coordinates (a to the right, b upwards)
// between low and high map onto a texture rectangle.
struct PlanarMap {
    glm::vec2 low;
    glm::vec2 high;
    UvRect rect;

    glm::vec2 uv(glm::vec2 p) const
    {
        const glm::vec2 t = (p - low) / (high - low);
        return rect.at(t);
    }
    glm::vec2 model(glm::vec2 uv) const
    {
        const glm::vec2 t((uv.x - rect.u0) / (rect.u1 - rect.u0),
                          1.0f - (uv.y - rect.v0) / (rect.v1 - rect.v0));
        return low + t * (high - low);
    }
    bool holds(glm::vec2 uv) const
    {
        return uv.x >= rect.u0 && uv.x < rect.u1 && uv.y >= rect.v0 && uv.y < rect.v1;
    }
};

// Knife: the blade seen from its side, (z, y) in the knife's box; then the handle.
inline const PlanarMap knifeBlade{{-1.0f, -0.95f}, {0.95f, 3.0f}, {0.0f, 0.0f, 0.72f, 1.0f}};
inline const PlanarMap knifeHandle{{-0.35f, -3.0f}, {0.67f, -0.6f}, {0.74f, 0.0f, 1.0f, 1.0f}};
std::vector<glm::vec2> knifeBladeOutline();  // counter-clockwise in (z, y)
std::vector<glm::vec2> knifeHandleOutline(); // counter-clockwise in (z, y)
std::vector<glm::vec2> knifeRivets();        // rivet centres in (z, y)
inline constexpr float knifeRivetRadius = 0.11f;

// Pizza: seen from above, (x, z) in the pizza's box; the corner outside the disc is the
// baked underside, read by the rim and the bottom.
inline const PlanarMap pizzaTop{{-5.2f, 5.2f}, {5.2f, -5.2f}, {0.0f, 0.0f, 1.0f, 1.0f}};
inline constexpr glm::vec2 pizzaUnderside{0.03f, 0.03f};
inline constexpr float pizzaRadius = 5.0f;
inline constexpr float pizzaSauceRadius = 4.3f;
inline constexpr float pepperoniRadius = 0.55f;
std::vector<glm::vec2> pepperoni(); // slice centres in (x, z)

// The tamboro slice: outline in (a, b) = (-z, y) seen from the front (+X), feet at y = 0.
std::vector<glm::vec2> tamboroOutline();
inline const PlanarMap tamboroFront{{-0.31f, 0.53f}, {0.31f, 2.07f}, {0.0f, 0.0f, 0.5f, 1.0f}};
inline const PlanarMap tamboroBack{{-0.31f, 0.53f}, {0.31f, 2.07f}, {0.5f, 0.0f, 0.75f, 1.0f}};
inline constexpr UvRect tamboroCrust{0.76f, 0.0f, 0.87f, 1.0f};
inline constexpr UvRect tamboroLegs{0.885f, 0.0f, 0.99f, 0.48f};
inline constexpr UvRect tamboroShoes{0.885f, 0.52f, 0.99f, 1.0f};
inline constexpr float tamboroCrustWidth = 0.045f;

// Book: cover boards, spine, page edges (lines run along u).
inline constexpr UvRect bookCover{0.0f, 0.0f, 0.6f, 1.0f};
inline constexpr UvRect bookSpine{0.62f, 0.0f, 0.74f, 1.0f};
inline constexpr UvRect bookPages{0.76f, 0.0f, 1.0f, 1.0f};

// Broom: straw (fibres along u), the handle (length along v), the wooden block.
inline constexpr UvRect broomStraw{0.0f, 0.0f, 0.5f, 1.0f};
inline constexpr UvRect broomHandle{0.52f, 0.0f, 0.73f, 1.0f};
inline constexpr UvRect broomBlock{0.75f, 0.0f, 1.0f, 1.0f};

// Stove: the hob seen from above in world (x, -z); the oven front seen from the room in
// world (-x, y); a knob's face; plain steel.
struct HobLayout {
    float x0, x1, z0, z1;
};
inline constexpr HobLayout hob{182.5f, 206.5f, 43.68f, 54.68f};
inline const PlanarMap stoveHob{{hob.x0, -hob.z1}, {hob.x1, -hob.z0}, {0.0f, 0.0f, 1.0f, 0.5f}};
inline constexpr float ovenX0 = 182.65f, ovenX1 = 206.35f, ovenY0 = -19.45f, ovenY1 = -1.35f;
inline const PlanarMap stoveOven{{-ovenX1, ovenY0}, {-ovenX0, ovenY1}, {0.0f, 0.5f, 0.74f, 1.0f}};
inline constexpr UvRect stoveKnob{0.76f, 0.52f, 0.99f, 0.74f};
inline constexpr UvRect stoveSteel{0.76f, 0.76f, 0.99f, 0.99f};
inline constexpr float burnerRadius = 1.75f;
std::vector<float> ovenKnobsX();              // knob centres along the control strip
inline constexpr float ovenKnobY = -2.55f;    // height of the knobs' centres
inline constexpr float ovenHandleY = -5.0f;   // height of the door handle
inline constexpr float ovenWindowY0 = -15.5f; // the door window's bottom and top
inline constexpr float ovenWindowY1 = -7.0f;

// Sink: brushed steel all over, tiled by world size.
inline constexpr float sinkTextureUnits = 12.0f;
// Table and chairs: wood grain tiled by world size.
inline constexpr float tableTextureUnits = 20.0f;

} // namespace layout
