#include "assetgen/light_baker.h"

#include "assetgen/noise.h"
#include "assetgen/ray_solid.h"

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr float pi = 3.14159265358979f;
constexpr float surfaceOffset = 0.02f; // rays start this far off the surface

struct Bounds {
    glm::vec3 low{1e30f};
    glm::vec3 high{-1e30f};
    void add(glm::vec3 point)
    {
        low = glm::min(low, point);
        high = glm::max(high, point);
    }
    bool overlaps(glm::vec3 otherLow, glm::vec3 otherHigh) const
    {
        return glm::all(glm::lessThanEqual(low, otherHigh)) &&
               glm::all(glm::lessThanEqual(otherLow, high));
    }
};

// The nearest entry within range, or with anyHit the first one found.
bool blocked(const std::vector<const RaySolid*>& solids, glm::vec3 origin, glm::vec3 direction,
             float range, float& distance, bool anyHit)
{
    bool hit = false;
    distance = range;
    for (const RaySolid* solid : solids) {
        float t = 0.0f;
        if (solid->entry(origin, direction, distance, t)) {
            distance = t;
            hit = true;
            if (anyHit) {
                return true;
            }
        }
    }
    return hit;
}

// Cosine-weighted directions over the hemisphere round +z, spread evenly (golden angle).
std::vector<glm::vec3> hemisphere(int count)
{
    std::vector<glm::vec3> directions;
    for (int i = 0; i < count; ++i) {
        const float r = std::sqrt((static_cast<float>(i) + 0.5f) / static_cast<float>(count));
        const float angle = static_cast<float>(i) * 2.39996323f;
        directions.emplace_back(r * std::cos(angle), r * std::sin(angle), std::sqrt(1.0f - r * r));
    }
    return directions;
}

struct TexelLight {
    float value = 0.0f;
    bool seen = false;
};

class ChartBaker {
  public:
    ChartBaker(const ChartAtlas& atlas, const std::vector<OrientedBox>& solids,
               const BakeLight& light)
        : atlas(atlas), solids(solids), light(light), toSun(-glm::normalize(light.sunDirection)),
          directions(hemisphere(light.occlusionRays))
    {
        prepared.reserve(solids.size());
        for (const OrientedBox& box : solids) {
            prepared.emplace_back(box);
        }
    }

    void bake(const Chart& chart, std::vector<TexelLight>& texels)
    {
        selectNeighbours(chart);
        tangent = glm::normalize(chart.edgeU);
        bitangent = glm::cross(chart.normal, tangent);
        // Occlusion changes slowly across a surface: it is traced on every second texel each
        // way and interpolated between, which quarters the cost of the bake.
        const int coarseWidth = chart.width / 2 + 1;
        const int coarseHeight = chart.height / 2 + 1;
        const auto coarseAt = [](int i, int size) { return std::min(2 * i, size - 1); };
        std::vector<float> coarse(static_cast<std::size_t>(coarseWidth) * coarseHeight);
        for (int j = 0; j < coarseHeight; ++j) {
            for (int i = 0; i < coarseWidth; ++i) {
                coarse[static_cast<std::size_t>(j) * coarseWidth + i] = openness(
                    chart, chart.x + coarseAt(i, chart.width), chart.y + coarseAt(j, chart.height));
            }
        }
        const auto between = [&](int local, int size, int& low, float& t) {
            low = std::min(local / 2, (size - 1) / 2);
            const int from = coarseAt(low, size);
            const int to = coarseAt(low + 1, size);
            t = to > from ? static_cast<float>(local - from) / static_cast<float>(to - from) : 0.0f;
        };
        for (int y = 0; y < chart.height; ++y) {
            int j = 0;
            float ty = 0.0f;
            between(y, chart.height, j, ty);
            for (int x = 0; x < chart.width; ++x) {
                int i = 0;
                float tx = 0.0f;
                between(x, chart.width, i, tx);
                const auto at = [&](int a, int b) {
                    return coarse[static_cast<std::size_t>(std::min(b, coarseHeight - 1)) *
                                      coarseWidth +
                                  std::min(a, coarseWidth - 1)];
                };
                const float open = glm::mix(glm::mix(at(i, j), at(i + 1, j), tx),
                                            glm::mix(at(i, j + 1), at(i + 1, j + 1), tx), ty);
                texels[static_cast<std::size_t>(chart.y + y) * atlas.size() + chart.x + x] =
                    bakeTexel(chart, chart.x + x, chart.y + y, open);
            }
        }
        fillHidden(chart, texels);
        smooth(chart, texels);
    }

  private:
    // Only solids in front of the chart and near it can shade it, and only those whose
    // outline, seen from the sun, overlaps the chart's can shadow it.
    void selectNeighbours(const Chart& chart)
    {
        std::array<glm::vec3, 4> corners{};
        Bounds bounds;
        for (int i = 0; i < 4; ++i) {
            corners[i] = chart.origin + chart.edgeU * static_cast<float>(i % 2) +
                         chart.edgeV * static_cast<float>(i / 2);
            bounds.add(corners[i]);
        }
        Bounds near = bounds;
        near.low -= glm::vec3(light.occlusionRange);
        near.high += glm::vec3(light.occlusionRange);
        const glm::vec3 across = glm::normalize(glm::cross(toSun, glm::vec3(0, 0, 1)));
        const glm::vec3 across2 = glm::cross(toSun, across);
        glm::vec2 chartLow(1e30f), chartHigh(-1e30f);
        for (const glm::vec3& corner : corners) {
            const glm::vec2 seen(glm::dot(corner, across), glm::dot(corner, across2));
            chartLow = glm::min(chartLow, seen);
            chartHigh = glm::max(chartHigh, seen);
        }
        const float chartHeight = glm::dot(corners[0], chart.normal);
        nearby.clear();
        nearbyBoxes.clear();
        shadowing.clear();
        for (std::size_t index = 0; index < solids.size(); ++index) {
            const OrientedBox& box = solids[index];
            std::array<glm::vec3, 8> boxCorners{};
            bool inFront = false;
            for (int i = 0; i < 8; ++i) {
                const glm::vec3 sign(i % 2 == 0 ? -1.0f : 1.0f, (i / 2) % 2 == 0 ? -1.0f : 1.0f,
                                     i / 4 == 0 ? -1.0f : 1.0f);
                boxCorners[i] = box.toWorld(sign * box.halfExtents);
                inFront = inFront || glm::dot(boxCorners[i], chart.normal) > chartHeight + 1e-4f;
            }
            if (!inFront) {
                continue; // wholly behind the chart's plane: no ray from the chart can reach it
            }
            if (near.overlaps(box.lowCorner(), box.highCorner())) {
                nearby.push_back(&prepared[index]);
                nearbyBoxes.push_back(&box);
            }
            glm::vec2 boxLow(1e30f), boxHigh(-1e30f);
            float sunward = -1e30f;
            for (const glm::vec3& corner : boxCorners) {
                const glm::vec2 seen(glm::dot(corner, across), glm::dot(corner, across2));
                boxLow = glm::min(boxLow, seen);
                boxHigh = glm::max(boxHigh, seen);
                sunward = std::max(sunward, glm::dot(corner - corners[0], toSun));
            }
            const bool overlaps = glm::all(glm::lessThanEqual(boxLow, chartHigh)) &&
                                  glm::all(glm::lessThanEqual(chartLow, boxHigh));
            if (overlaps && sunward > -glm::length(chart.edgeU + chart.edgeV)) {
                shadowing.push_back(&prepared[index]);
            }
        }
    }

    // Four sample points inside a texel, just off the surface.
    std::array<glm::vec3, 4> samplesOf(const Chart& chart, int x, int y) const
    {
        std::array<glm::vec3, 4> samples{};
        for (int i = 0; i < 4; ++i) {
            const float dx = (i % 2 == 0 ? 0.25f : 0.75f);
            const float dy = (i / 2 == 0 ? 0.25f : 0.75f);
            samples[i] =
                atlas.pointAt(chart, static_cast<float>(x) + dx, static_cast<float>(y) + dy) +
                chart.normal * surfaceOffset;
        }
        return samples;
    }

    // How much of the sky a texel sees, 0..1, nearer neighbours counting more.
    float openness(const Chart& chart, int x, int y) const
    {
        const std::array<glm::vec3, 4> samples = samplesOf(chart, x, y);
        // The direction set is turned by a per-texel angle so banding becomes fine grain.
        const float turn = 2.0f * pi * noise::random(x, y, 17u);
        const float c = std::cos(turn), s = std::sin(turn);
        float occlusion = 0.0f;
        for (std::size_t i = 0; i < directions.size(); ++i) {
            const glm::vec3 d = directions[i];
            const glm::vec3 local(c * d.x - s * d.y, s * d.x + c * d.y, d.z);
            const glm::vec3 world =
                tangent * local.x + bitangent * local.y + chart.normal * local.z;
            float distance = 0.0f;
            if (blocked(nearby, samples[i % 4], world, light.occlusionRange, distance, false)) {
                occlusion += std::sqrt(1.0f - distance / light.occlusionRange);
            }
        }
        return 1.0f - occlusion / static_cast<float>(directions.size());
    }

    TexelLight bakeTexel(const Chart& chart, int x, int y, float open) const
    {
        const glm::vec3 normal = chart.normal;
        const glm::vec3 centre =
            atlas.pointAt(chart, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f) +
            normal * surfaceOffset;
        TexelLight result;
        result.seen =
            std::none_of(nearbyBoxes.begin(), nearbyBoxes.end(),
                         [&](const OrientedBox* box) { return box->contains(centre, 0.001f); });

        // Four shadow rays per texel soften the shadow edges. A surface that barely faces the
        // sun gets little of it from the shader, so its shadow is as faint.
        const float facing = glm::dot(normal, toSun);
        float shadow = 0.0f;
        if (facing > 0.0f) {
            int blockedRays = 0;
            for (const glm::vec3& sample : samplesOf(chart, x, y)) {
                float distance = 0.0f;
                blockedRays += blocked(shadowing, sample, toSun, 1e4f, distance, true) ? 1 : 0;
            }
            const float weight = std::min(1.0f, facing / 0.3f);
            shadow = weight * static_cast<float>(blockedRays) / 4.0f;
        }
        result.value = (1.0f - light.occlusionStrength * (1.0f - open)) *
                       (1.0f - light.shadowStrength * shadow);
        return result;
    }

    // Texels of points inside solids take the light of the nearest seen texel of the chart,
    // found by growing outwards from the seen ones one ring at a time.
    void fillHidden(const Chart& chart, std::vector<TexelLight>& texels) const
    {
        const auto index = [&](int x, int y) {
            return static_cast<std::size_t>(y) * atlas.size() + x;
        };
        std::vector<std::pair<int, int>> ring;
        bool anyHidden = false;
        for (int y = chart.y; y < chart.y + chart.height; ++y) {
            for (int x = chart.x; x < chart.x + chart.width; ++x) {
                if (texels[index(x, y)].seen) {
                    ring.emplace_back(x, y);
                } else {
                    anyHidden = true;
                }
            }
        }
        if (ring.empty()) {
            // A face wholly inside solids (a door's edge in its gap) is seen, if at all, as a
            // sliver: give it its mean light, without the grain of its few rays.
            float sum = 0.0f;
            for (int y = chart.y; y < chart.y + chart.height; ++y) {
                for (int x = chart.x; x < chart.x + chart.width; ++x) {
                    sum += texels[index(x, y)].value;
                }
            }
            const float mean = sum / static_cast<float>(chart.width * chart.height);
            for (int y = chart.y; y < chart.y + chart.height; ++y) {
                for (int x = chart.x; x < chart.x + chart.width; ++x) {
                    texels[index(x, y)] = {mean, true};
                }
            }
            return;
        }
        if (!anyHidden) {
            return;
        }
        while (!ring.empty()) {
            std::vector<std::pair<int, int>> next;
            for (const auto& [x, y] : ring) {
                for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < chart.x || ny < chart.y || nx >= chart.x + chart.width ||
                        ny >= chart.y + chart.height || texels[index(nx, ny)].seen) {
                        continue;
                    }
                    texels[index(nx, ny)] = {texels[index(x, y)].value, true};
                    next.emplace_back(nx, ny);
                }
            }
            ring.swap(next);
        }
    }

    // A 3x3 box filter inside the chart takes the grain out of the occlusion.
    void smooth(const Chart& chart, std::vector<TexelLight>& texels) const
    {
        std::vector<float> copy(static_cast<std::size_t>(chart.width) * chart.height);
        const auto at = [&](int x, int y) -> TexelLight& {
            x = std::clamp(x, chart.x, chart.x + chart.width - 1);
            y = std::clamp(y, chart.y, chart.y + chart.height - 1);
            return texels[static_cast<std::size_t>(y) * atlas.size() + x];
        };
        for (int y = 0; y < chart.height; ++y) {
            for (int x = 0; x < chart.width; ++x) {
                float sum = 0.0f;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        sum += at(chart.x + x + dx, chart.y + y + dy).value;
                    }
                }
                copy[static_cast<std::size_t>(y) * chart.width + x] = sum / 9.0f;
            }
        }
        for (int y = 0; y < chart.height; ++y) {
            for (int x = 0; x < chart.width; ++x) {
                at(chart.x + x, chart.y + y).value =
                    copy[static_cast<std::size_t>(y) * chart.width + x];
            }
        }
    }

    const ChartAtlas& atlas;
    const std::vector<OrientedBox>& solids;
    const BakeLight& light;
    glm::vec3 toSun;
    std::vector<glm::vec3> directions;
    std::vector<RaySolid> prepared;
    std::vector<const RaySolid*> nearby;
    std::vector<const OrientedBox*> nearbyBoxes;
    std::vector<const RaySolid*> shadowing;
    glm::vec3 tangent{1, 0, 0};
    glm::vec3 bitangent{0, 1, 0};
};

// Unused texels between charts take their neighbours' light, so mip levels stay even.
void fillGaps(std::vector<TexelLight>& texels, int size)
{
    for (int pass = 0; pass < 8; ++pass) {
        std::vector<std::pair<std::size_t, float>> updates;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::size_t here = static_cast<std::size_t>(y) * size + x;
                if (texels[here].seen) {
                    continue;
                }
                float sum = 0.0f;
                int count = 0;
                for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < size && ny < size &&
                        texels[static_cast<std::size_t>(ny) * size + nx].seen) {
                        sum += texels[static_cast<std::size_t>(ny) * size + nx].value;
                        ++count;
                    }
                }
                if (count > 0) {
                    updates.emplace_back(here, sum / static_cast<float>(count));
                }
            }
        }
        for (const auto& [where, value] : updates) {
            texels[where] = {value, true};
        }
    }
}

} // namespace

Image bakeLightMap(const ChartAtlas& atlas, const std::vector<OrientedBox>& solids,
                   const BakeLight& light)
{
    const int size = atlas.size();
    std::vector<TexelLight> texels(static_cast<std::size_t>(size) * size);
    ChartBaker baker(atlas, solids, light);
    for (const Chart& chart : atlas.charts()) {
        baker.bake(chart, texels);
    }
    fillGaps(texels, size);

    float mean = 0.0f;
    int seen = 0;
    for (const TexelLight& texel : texels) {
        if (texel.seen) {
            mean += texel.value;
            ++seen;
        }
    }
    mean = seen > 0 ? mean / static_cast<float>(seen) : 0.5f;

    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const TexelLight& texel = texels[static_cast<std::size_t>(y) * size + x];
            const float value = std::clamp(texel.seen ? texel.value : mean, 0.0f, 1.0f);
            image.at(x, y) = glm::vec4(value, value, value, 1.0f);
        }
    }
    return image;
}
