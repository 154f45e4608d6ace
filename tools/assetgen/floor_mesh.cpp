#include "assetgen/floor_mesh.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

std::vector<float> sortedUnique(std::vector<float> lines)
{
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return lines;
}

} // namespace

Mesh meshOutside(const ChartAtlas& atlas, const std::vector<kitchen::Area>& hidden)
{
    std::vector<float> xs, zs;
    for (const Chart& chart : atlas.charts()) {
        if (std::abs(chart.normal.y) < 0.999f) {
            throw std::logic_error("only level charts can be cut round hidden areas");
        }
        const glm::vec3 far = chart.origin + chart.edgeU + chart.edgeV;
        xs.insert(xs.end(), {chart.origin.x, far.x});
        zs.insert(zs.end(), {chart.origin.z, far.z});
    }
    for (const kitchen::Area& area : hidden) {
        xs.insert(xs.end(), {area.x0, area.x1});
        zs.insert(zs.end(), {area.z0, area.z1});
    }
    xs = sortedUnique(xs);
    zs = sortedUnique(zs);

    const auto isHidden = [&](float x, float z) {
        return std::any_of(hidden.begin(), hidden.end(), [&](const kitchen::Area& area) {
            return x > area.x0 && x < area.x1 && z > area.z0 && z < area.z1;
        });
    };
    Mesh out;
    for (const Chart& chart : atlas.charts()) {
        const glm::vec3 far = chart.origin + chart.edgeU + chart.edgeV;
        const float x0 = std::min(chart.origin.x, far.x), x1 = std::max(chart.origin.x, far.x);
        const float z0 = std::min(chart.origin.z, far.z), z1 = std::max(chart.origin.z, far.z);
        const auto vertexAt = [&](float x, float z) {
            const glm::vec3 position(x, chart.origin.y, z);
            const glm::vec3 offset = position - chart.origin;
            const float s = glm::dot(offset, chart.edgeU) / glm::dot(chart.edgeU, chart.edgeU);
            const float t = glm::dot(offset, chart.edgeV) / glm::dot(chart.edgeV, chart.edgeV);
            return Vertex{position, chart.normal, atlas.uvAt(chart, s, t)};
        };
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            if (xs[i] < x0 || xs[i + 1] > x1) {
                continue;
            }
            for (std::size_t j = 0; j + 1 < zs.size(); ++j) {
                if (zs[j] < z0 || zs[j + 1] > z1 ||
                    isHidden(0.5f * (xs[i] + xs[i + 1]), 0.5f * (zs[j] + zs[j + 1]))) {
                    continue;
                }
                out.quad(vertexAt(xs[i], zs[j]), vertexAt(xs[i + 1], zs[j]),
                         vertexAt(xs[i + 1], zs[j + 1]), vertexAt(xs[i], zs[j + 1]));
            }
        }
    }
    return out;
}
