#include "assetgen/chart_atlas.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace {

constexpr int padding = 2; // texels round each chart, so filtering never reads a neighbour

} // namespace

ChartAtlas::ChartAtlas(int size, float maxChartLength, int alignment)
    : atlasSize(size), maxLength(maxChartLength), alignment(std::max(1, alignment))
{
}

void ChartAtlas::addRectangle(glm::vec3 origin, glm::vec3 edgeU, glm::vec3 edgeV)
{
    rectangles.push_back({origin, edgeU, edgeV});
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

std::vector<Chart> ChartAtlas::cut(float trialDensity) const
{
    // Where one edge is cut, as fractions of its length. Aligned pieces span whole alignment
    // steps and the odd rest goes where the picture's grid is not needed: last along u (blocks
    // start on the grid at s = 0) and first along v (blocks start on the grid at t = 1, their
    // top row). Without alignment the edge is cut into equal pieces.
    const auto cuts = [&](float length, bool restFirst) {
        std::vector<float> at{0.0f};
        if (alignment > 1) {
            const float step = static_cast<float>(alignment) / trialDensity;
            const float piece = std::max(1.0f, std::floor(maxLength / step)) * step;
            const int whole = static_cast<int>(std::floor(length / piece - 1e-4f));
            const float rest = length - piece * static_cast<float>(whole);
            for (int i = 1; i <= whole; ++i) {
                const float position = restFirst ? rest + piece * static_cast<float>(i - 1)
                                                 : piece * static_cast<float>(i);
                if (position > 1e-4f && position < length - 1e-4f) {
                    at.push_back(position / length);
                }
            }
        } else {
            const int count = std::max(1, static_cast<int>(std::ceil(length / maxLength)));
            for (int i = 1; i < count; ++i) {
                at.push_back(static_cast<float>(i) / static_cast<float>(count));
            }
        }
        at.push_back(1.0f);
        return at;
    };
    std::vector<Chart> out;
    for (const Rectangle& rectangle : rectangles) {
        const glm::vec3 normal = glm::normalize(glm::cross(rectangle.edgeU, rectangle.edgeV));
        const std::vector<float> alongU = cuts(glm::length(rectangle.edgeU), false);
        const std::vector<float> alongV = cuts(glm::length(rectangle.edgeV), true);
        const auto corner = [&](std::size_t i, std::size_t j) {
            return rectangle.origin + rectangle.edgeU * alongU[i] + rectangle.edgeV * alongV[j];
        };
        for (std::size_t j = 0; j + 1 < alongV.size(); ++j) {
            for (std::size_t i = 0; i + 1 < alongU.size(); ++i) {
                const glm::vec3 start = corner(i, j);
                out.push_back({start, corner(i + 1, j) - start, corner(i, j + 1) - start, normal});
            }
        }
    }
    return out;
}

bool ChartAtlas::place(std::vector<Chart>& charts, float trialDensity) const
{
    std::vector<std::size_t> order(charts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<glm::ivec2> blocks(charts.size());
    for (std::size_t i = 0; i < charts.size(); ++i) {
        const auto texels = [&](const glm::vec3& edge) {
            return std::max(1, static_cast<int>(std::ceil(glm::length(edge) * trialDensity))) +
                   2 * padding;
        };
        blocks[i] = {texels(charts[i].edgeU), texels(charts[i].edgeV)};
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return blocks[a].y != blocks[b].y ? blocks[a].y > blocks[b].y : blocks[a].x > blocks[b].x;
    });
    // A block's inner corner (past its padding) goes on the alignment grid.
    const auto aligned = [&](int cursor) {
        return (cursor + padding + alignment - 1) / alignment * alignment - padding;
    };
    // Shelves: fill a row left to right, start the next row under the tallest block of this one.
    int x = aligned(0), y = aligned(0), rowHeight = 0;
    for (std::size_t index : order) {
        const glm::ivec2 block = blocks[index];
        if (x + block.x > atlasSize) {
            x = aligned(0);
            y = aligned(y + rowHeight);
            rowHeight = 0;
        }
        if (x + block.x > atlasSize || y + block.y > atlasSize) {
            return false;
        }
        charts[index].x = x;
        charts[index].y = y;
        charts[index].width = block.x;
        charts[index].height = block.y;
        x = aligned(x + block.x);
        rowHeight = std::max(rowHeight, block.y);
    }
    return true;
}

void ChartAtlas::pack()
{
    const auto fits = [&](float trial) {
        std::vector<Chart> charts = cut(trial);
        return place(charts, trial);
    };
    if (!fits(1e-3f)) {
        throw std::runtime_error("light-map charts do not fit even at the lowest density");
    }
    float low = 1e-3f;
    float high = static_cast<float>(atlasSize);
    for (int step = 0; step < 40; ++step) {
        const float middle = 0.5f * (low + high);
        (fits(middle) ? low : high) = middle;
    }
    density = low;
    pieces = cut(density);
    place(pieces, density);
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

glm::vec2 ChartAtlas::uvAt(const Chart& chart, float s, float t) const
{
    // t = 0 (origin side) sits at the bottom of the block: v grows downwards in the picture.
    const float scale = 1.0f / static_cast<float>(atlasSize);
    const glm::vec2 inner = innerSize(chart);
    return {(static_cast<float>(chart.x + padding) + s * inner.x) * scale,
            (static_cast<float>(chart.y + padding) + (1.0f - t) * inner.y) * scale};
}

Mesh ChartAtlas::mesh() const
{
    Mesh out;
    for (const Chart& chart : pieces) {
        out.quad({chart.origin, chart.normal, uvAt(chart, 0, 0)},
                 {chart.origin + chart.edgeU, chart.normal, uvAt(chart, 1, 0)},
                 {chart.origin + chart.edgeU + chart.edgeV, chart.normal, uvAt(chart, 1, 1)},
                 {chart.origin + chart.edgeV, chart.normal, uvAt(chart, 0, 1)});
    }
    return out;
}
