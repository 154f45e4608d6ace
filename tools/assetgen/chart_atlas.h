#pragma once

#include "assetgen/mesh.h"
#include "assetgen/oriented_box.h"

#include <functional>
#include <vector>

// One flat rectangle of a light-mapped model, origin + s * edgeU + t * edgeV for s, t in 0..1,
// facing edgeU x edgeV, and the block of light-map texels it owns once packed.
struct Chart {
    glm::vec3 origin;
    glm::vec3 edgeU;
    glm::vec3 edgeV;
    glm::vec3 normal;
    int x = 0, y = 0;          // first texel of the block, padding included
    int width = 0, height = 0; // block size in texels, padding included
};

// The surfaces of a light-mapped model as rectangles, packed without overlap into one square
// light map at a single texel density. The colour texture repeats over the same coordinates, so
// every face shows it at the same scale.
//
// Long rectangles are cut into pieces no longer than maxChartLength so that they pack well;
// the pieces share their edge positions exactly. With an alignment of A texels, every piece
// starts on a multiple of A texels in the light map and (but for the last) spans a multiple of
// A texels of its surface: a colour texture whose pattern repeats every A light-map texels
// (a tile pair, a strip) then runs on across the cuts without a jump.
class ChartAtlas {
  public:
    ChartAtlas(int size, float maxChartLength, int alignment = 1);

    void addRectangle(glm::vec3 origin, glm::vec3 edgeU, glm::vec3 edgeV);
    // The faces of a box for which keep(face) is true (faces numbered as in mesh_shapes.h).
    void addBox(const OrientedBox& box, const std::function<bool(int)>& keep = {});

    // Chooses the largest density at which every piece fits, cuts and places them.
    void pack();

    int size() const { return atlasSize; }
    float texelsPerUnit() const { return density; }
    const std::vector<Chart>& charts() const { return pieces; }

    // The world position seen by a texel of a chart; padding texels see the nearest edge point.
    glm::vec3 pointAt(const Chart& chart, float texelX, float texelY) const;

    // The texture coordinate of the chart's point origin + s * edgeU + t * edgeV.
    glm::vec2 uvAt(const Chart& chart, float s, float t) const;

    // The model: two triangles per chart, texture coordinates in the chart's block.
    Mesh mesh() const;

  private:
    struct Rectangle {
        glm::vec3 origin, edgeU, edgeV;
    };

    glm::vec2 innerSize(const Chart& chart) const;
    std::vector<Chart> cut(float trialDensity) const;
    bool place(std::vector<Chart>& charts, float trialDensity) const;

    int atlasSize;
    float maxLength;
    int alignment;
    float density = 0.0f;
    std::vector<Rectangle> rectangles;
    std::vector<Chart> pieces;
};
