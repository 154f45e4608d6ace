#include "assetgen/texture_layout.h"

#include "physics/level_layout.h"

#include <cmath>

namespace layout {

std::vector<glm::vec2> knifeBladeOutline()
{
    // Spine straight along z = 0.5, the edge along z = -1 sweeping up to the tip.
    return {{0.5f, -0.7f},  {0.5f, 2.95f},   {0.3f, 3.0f},  {-0.25f, 2.84f},
            {-0.62f, 2.5f}, {-0.88f, 1.95f}, {-1.0f, 1.2f}, {-1.0f, -0.7f}};
}

std::vector<glm::vec2> knifeHandleOutline()
{
    return {{0.62f, -2.75f}, {0.62f, -0.9f},   {-0.3f, -0.9f},
            {-0.3f, -2.8f},  {-0.18f, -2.98f}, {0.4f, -3.0f}};
}

std::vector<glm::vec2> knifeRivets()
{
    return {{0.0f, -1.3f}, {0.0f, -1.95f}, {0.0f, -2.55f}};
}

std::vector<glm::vec2> pepperoni()
{
    return {{0.0f, 0.0f},   {2.1f, 0.6f},  {-1.9f, 1.3f},  {0.7f, -2.3f},
            {-1.2f, -1.8f}, {2.6f, -1.7f}, {-3.1f, -0.4f}, {1.0f, 2.9f},
            {-0.9f, 3.2f},  {3.2f, 1.9f},  {-2.4f, -2.7f}, {0.2f, -3.6f}};
}

std::vector<glm::vec2> tamboroOutline()
{
    // A tall slice: rounded bottom corners, sides that widen a little upwards, a domed top.
    std::vector<glm::vec2> outline{{-0.2f, 0.55f}, {0.2f, 0.55f}, {0.245f, 0.575f}, {0.26f, 0.62f}};
    const glm::vec2 domeCentre(0.0f, 1.72f);
    const glm::vec2 domeRadii(0.3f, 0.33f);
    constexpr int steps = 12;
    for (int i = 0; i <= steps; ++i) {
        const float angle = 3.14159265f * static_cast<float>(i) / static_cast<float>(steps);
        outline.push_back(domeCentre + domeRadii * glm::vec2(std::cos(angle), std::sin(angle)));
    }
    outline.insert(outline.end(), {{-0.26f, 0.62f}, {-0.245f, 0.575f}});
    return outline;
}

std::vector<float> ovenKnobsX()
{
    return {186.0f, 190.2f, 194.5f, 198.8f, 203.0f};
}

} // namespace layout
