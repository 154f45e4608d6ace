#include "assetgen/chart_atlas.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace {

constexpr int padding = 2; // texels round each chart, so filtering never reads a neighbour

} // namespace

ChartAtlas::ChartAtlas(int size, float maxChartLength) : atlasSize(size), maxLength(maxChartLength)
{
}

void ChartAtlas::addRectangle(glm::vec3 origin, glm::vec3 edgeU, glm::vec3 edgeV)
{
    const int countU = std::max(1, static_cast<int>(std::ceil(glm::length(edgeU) / maxLength)));
    const int countV = std::max(1, static_cast<int>(std::ceil(glm::length(edgeV) / maxLength)));
    const glm::vec3 normal = glm::normalize(glm::cross(edgeU, edgeV));
    const auto corner = [&](int i, int j) {
        return origin + edgeU * (static_cast<float>(i) / static_cast<float>(countU)) +
               edgeV * (static_cast<float>(j) / static_cast<float>(countV));
    };
    for (int j = 0; j < countV; ++j) {
        for (int i = 0; i < countU; ++i) {
            const glm::vec3 start = corner(i, j);
            pieces.push_back({start, corner(i + 1, j) - start, corner(i, j + 1) - start, normal});
        }
    }
}

void ChartAtlas::addBox(const OrientedBox& box, const std::function<bool(int)>& keep)
{
    // Outward axis, then the two edge axes with edgeU x edgeV pointing outwards.
    const std::array<std::array<glm::vec3, 3>, 6> faces{{
        {glm::vec3(1, 0, 0), glm::vec3(0, 0, -1), glm::vec3(0, 1, 0)},
        {glm::vec3(-1, 0, 0), glm::vec3(0, 0, 1), glm::vec3(0, 1, 0)},
        {glm::vec3(0, 1, 0), glm::vec3(1, 0, 0), glm::vec3(0, 0, -1)},
        {glm::vec3(0, -1, 0), glm::vec3(1, 0, 0), glm::vec3(0, 0, 1)},
        {glm::vec3(0, 0, 1), glm::vec3(1, 0, 0), glm::vec3(0, 1, 0)},
        {glm::vec3(0, 0, -1), glm::vec3(-1, 0, 0), glm::vec3(0, 1, 0)},
    }};
    const glm::vec3 h = box.halfExtents;
    for (int face = 0; face < 6; ++face) {
        if (keep && !keep(face)) {
            continue;
        }
        const auto& [out, right, up] = faces[face];
        const glm::vec3 origin = box.toWorld(out * h - right * h - up * h);
        addRectangle(origin, box.rotation * (2.0f * right * h), box.rotation * (2.0f * up * h));
    }
}

glm::vec2 ChartAtlas::innerSize(const Chart& chart) const
{
    return glm::vec2(glm::length(chart.edgeU), glm::length(chart.edgeV)) * density;
}

bool ChartAtlas::tryPlace(float trialDensity, bool keep)
{
    std::vector<std::size_t> order(pieces.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<glm::ivec2> blocks(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto texels = [&](const glm::vec3& edge) {
            return std::max(1, static_cast<int>(std::ceil(glm::length(edge) * trialDensity))) +
                   2 * padding;
        };
        blocks[i] = {texels(pieces[i].edgeU), texels(pieces[i].edgeV)};
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return blocks[a].y != blocks[b].y ? blocks[a].y > blocks[b].y : blocks[a].x > blocks[b].x;
    });
    // Shelves: fill a row left to right, start the next row under the tallest block of this one.
    int x = 0, y = 0, rowHeight = 0;
    for (std::size_t index : order) {
        const glm::ivec2 block = blocks[index];
        if (block.x > atlasSize) {
            return false;
        }
        if (x + block.x > atlasSize) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        if (y + block.y > atlasSize) {
            return false;
        }
        if (keep) {
            pieces[index].x = x;
            pieces[index].y = y;
            pieces[index].width = block.x;
            pieces[index].height = block.y;
        }
        x += block.x;
        rowHeight = std::max(rowHeight, block.y);
    }
    return true;
}

void ChartAtlas::pack()
{
    float low = 0.0f;
    float high = static_cast<float>(atlasSize);
    if (!tryPlace(1e-4f, false)) {
        throw std::runtime_error("light-map charts do not fit even at the lowest density");
    }
    for (int step = 0; step < 40; ++step) {
        const float middle = 0.5f * (low + high);
        (tryPlace(middle, false) ? low : high) = middle;
    }
    density = std::max(low, 1e-4f);
    tryPlace(density, true);
}

glm::vec3 ChartAtlas::pointAt(const Chart& chart, float texelX, float texelY) const
{
    const glm::vec2 inner = innerSize(chart);
    const float s =
        std::clamp((texelX - static_cast<float>(chart.x + padding)) / inner.x, 0.0f, 1.0f);
    const float t =
        std::clamp(1.0f - (texelY - static_cast<float>(chart.y + padding)) / inner.y, 0.0f, 1.0f);
    return chart.origin + chart.edgeU * s + chart.edgeV * t;
}

Mesh ChartAtlas::mesh() const
{
    Mesh out;
    const float scale = 1.0f / static_cast<float>(atlasSize);
    for (const Chart& chart : pieces) {
        const glm::vec2 inner = innerSize(chart);
        const float u0 = static_cast<float>(chart.x + padding) * scale;
        const float v0 = static_cast<float>(chart.y + padding) * scale;
        const float u1 = u0 + inner.x * scale;
        const float v1 = v0 + inner.y * scale;
        // t = 0 (origin side) sits at the bottom of the block: v grows downwards in the picture.
        out.quad({chart.origin, chart.normal, {u0, v1}},
                 {chart.origin + chart.edgeU, chart.normal, {u1, v1}},
                 {chart.origin + chart.edgeU + chart.edgeV, chart.normal, {u1, v0}},
                 {chart.origin + chart.edgeV, chart.normal, {u0, v0}});
    }
    return out;
}
