#pragma once

#include "assetgen/mesh.h"
#include "assetgen/oriented_box.h"

#include <glm/vec2.hpp>

#include <functional>
#include <vector>

// A rectangle of a texture, u right and v down, 0..1.
struct UvRect {
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
    glm::vec2 at(glm::vec2 st) const
    {
        return {u0 + st.x * (u1 - u0), v0 + (1.0f - st.y) * (v1 - v0)};
    }
};

// Where a face reads its texture. st runs 0..1 across the face (s to the right, t upwards as
// seen from outside) and size is the face's width and height in world units.
using FaceUv = std::function<glm::vec2(int face, glm::vec2 st, glm::vec2 size)>;

// The box faces, in the order FaceUv numbers them.
enum BoxFace { facePlusX, faceMinusX, facePlusY, faceMinusY, facePlusZ, faceMinusZ };

// Every face shows the same texture rectangle, stretched.
FaceUv regionUv(UvRect rect);
// Per-face rectangles.
FaceUv regionsUv(const std::array<UvRect, 6>& rects);
// The texture repeats every `units` world units with its u axis along each face's longer side
// (wood grain runs along the length of a board, a leg or a rail).
FaceUv tiledUv(float units, UvRect region = {});

// A box with flat faces; faces for which keep(face) is false are left out.
void addBox(Mesh& mesh, const OrientedBox& box, const FaceUv& uv,
            const std::function<bool(int)>& keep = {});

// A round bar from `base` along the unit `axis`, smooth-shaded round its side, with flat end
// caps. Side uv: s around (0..1), t along (0..1) into `side`; the caps read `cap`.
void addCylinder(Mesh& mesh, glm::vec3 base, glm::vec3 axis, float radius, float length,
                 int segments, UvRect side, UvRect cap, bool caps = true);

// A flat round disc facing `normal`; uv from the disc's point in world space.
void addDisc(Mesh& mesh, glm::vec3 centre, glm::vec3 normal, float radius, int segments,
             const std::function<glm::vec2(glm::vec3)>& uv);

// A round body turned about the vertical axis through `centre`: the profile runs from the
// axis outwards as (radius, height) points, each segment smooth-shaded along the turn and flat
// across the profile's corners. uv from the world point and the outward normal.
void addTurned(Mesh& mesh, glm::vec3 centre, const std::vector<glm::vec2>& profile, int segments,
               const std::function<glm::vec2(glm::vec3, glm::vec3)>& uv);

// A flat slab whose outline is a convex polygon given counter-clockwise in (a, b) coordinates;
// `along` is a x b, the slab runs from -depth/2 to +depth/2 along it. The front (+1) and the back
// (-1) read faceUv(outline point, side); the rim reads rimUv(distance round the outline 0..1,
// 0 at the back / 1 at the front).
struct SlabFrame {
    glm::vec3 origin;
    glm::vec3 a;
    glm::vec3 b;
};
void addConvexSlab(Mesh& mesh, const SlabFrame& frame, const std::vector<glm::vec2>& outline,
                   float depth, const std::function<glm::vec2(glm::vec2, int)>& faceUv,
                   const std::function<glm::vec2(float, float)>& rimUv);
