#include "assetgen/mesh_shapes.h"

#include <glm/geometric.hpp>

#include <cmath>

namespace {

constexpr float pi = 3.14159265358979f;

struct FaceAxes {
    glm::vec3 normal, right, up;
    int rightAxis, upAxis;
};

// Seen from outside, right x up = normal, so the corners (0,0) (1,0) (1,1) (0,1) run
// counter-clockwise.
constexpr std::array<FaceAxes, 6> faceAxes{{
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}, 2, 1},
    {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, 2, 1},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}, 0, 2},
    {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}, 0, 2},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, 0, 1},
    {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}, 0, 1},
}};

// A pair of unit vectors at right angles to the axis and to each other.
void perpendiculars(glm::vec3 axis, glm::vec3& p, glm::vec3& q)
{
    const glm::vec3 helper = std::fabs(axis.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    p = glm::normalize(glm::cross(helper, axis));
    q = glm::cross(axis, p);
}

} // namespace

FaceUv regionUv(UvRect rect)
{
    return [rect](int, glm::vec2 st, glm::vec2) { return rect.at(st); };
}

FaceUv regionsUv(const std::array<UvRect, 6>& rects)
{
    return [rects](int face, glm::vec2 st, glm::vec2) { return rects[face].at(st); };
}

FaceUv tiledUv(float units, UvRect region)
{
    return [units, region](int, glm::vec2 st, glm::vec2 size) {
        glm::vec2 repeats = st * size / units;
        if (size.y > size.x) {
            repeats = glm::vec2(repeats.y, repeats.x);
        }
        return glm::vec2(region.u0 + repeats.x * (region.u1 - region.u0),
                         region.v0 + repeats.y * (region.v1 - region.v0));
    };
}

void addBox(Mesh& mesh, const OrientedBox& box, const FaceUv& uv,
            const std::function<bool(int)>& keep)
{
    for (int face = 0; face < 6; ++face) {
        if (keep && !keep(face)) {
            continue;
        }
        const FaceAxes& axes = faceAxes[face];
        const glm::vec3 h = box.halfExtents;
        const glm::vec2 size(2.0f * h[axes.rightAxis], 2.0f * h[axes.upAxis]);
        const glm::vec3 normal = box.rotation * axes.normal;
        std::array<Vertex, 4> corners{};
        const std::array<glm::vec2, 4> st{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
        for (int corner = 0; corner < 4; ++corner) {
            const glm::vec3 local = axes.normal * h +
                                    axes.right * h * (2.0f * st[corner].x - 1.0f) +
                                    axes.up * h * (2.0f * st[corner].y - 1.0f);
            corners[corner] = {box.toWorld(local), normal, uv(face, st[corner], size)};
        }
        mesh.quad(corners[0], corners[1], corners[2], corners[3]);
    }
}

void addCylinder(Mesh& mesh, glm::vec3 base, glm::vec3 axis, float radius, float length,
                 int segments, UvRect side, UvRect cap, bool caps)
{
    glm::vec3 p, q;
    perpendiculars(axis, p, q);
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2.0f * pi * static_cast<float>(i) / static_cast<float>(segments);
        const float a1 = 2.0f * pi * static_cast<float>(i + 1) / static_cast<float>(segments);
        const glm::vec3 n0 = std::cos(a0) * p + std::sin(a0) * q;
        const glm::vec3 n1 = std::cos(a1) * p + std::sin(a1) * q;
        const float s0 = static_cast<float>(i) / static_cast<float>(segments);
        const float s1 = static_cast<float>(i + 1) / static_cast<float>(segments);
        const glm::vec3 top = axis * length;
        mesh.quad({base + n0 * radius, n0, side.at({s0, 0})},
                  {base + n1 * radius, n1, side.at({s1, 0})},
                  {base + top + n1 * radius, n1, side.at({s1, 1})},
                  {base + top + n0 * radius, n0, side.at({s0, 1})});
    }
    if (!caps) {
        return;
    }
    const auto capUv = [cap, p, q, radius](glm::vec3 offset) {
        return cap.at({0.5f + 0.5f * glm::dot(offset, p) / radius,
                       0.5f + 0.5f * glm::dot(offset, q) / radius});
    };
    for (int end = 0; end < 2; ++end) {
        const glm::vec3 centre = base + axis * (end == 0 ? 0.0f : length);
        const glm::vec3 normal = end == 0 ? -axis : axis;
        addDisc(mesh, centre, normal, radius, segments,
                [&](glm::vec3 point) { return capUv(point - centre); });
    }
}

void addDisc(Mesh& mesh, glm::vec3 centre, glm::vec3 normal, float radius, int segments,
             const std::function<glm::vec2(glm::vec3)>& uv)
{
    glm::vec3 p, q;
    perpendiculars(normal, p, q);
    const std::uint32_t middle = mesh.add({centre, normal, uv(centre)});
    std::vector<std::uint32_t> rim;
    for (int i = 0; i < segments; ++i) {
        const float angle = 2.0f * pi * static_cast<float>(i) / static_cast<float>(segments);
        const glm::vec3 point = centre + radius * (std::cos(angle) * p + std::sin(angle) * q);
        rim.push_back(mesh.add({point, normal, uv(point)}));
    }
    for (int i = 0; i < segments; ++i) {
        mesh.triangle(middle, rim[i], rim[(i + 1) % segments]);
    }
}

void addConvexSlab(Mesh& mesh, const SlabFrame& frame, const std::vector<glm::vec2>& outline,
                   float depth, const std::function<glm::vec2(glm::vec2, int)>& faceUv,
                   const std::function<glm::vec2(float, float)>& rimUv)
{
    const glm::vec3 along = glm::normalize(glm::cross(frame.a, frame.b));
    const auto place = [&](glm::vec2 point, float side) {
        return frame.origin + frame.a * point.x + frame.b * point.y + along * (side * depth * 0.5f);
    };
    for (int side = -1; side <= 1; side += 2) {
        const glm::vec3 normal = along * static_cast<float>(side);
        std::vector<std::uint32_t> ring;
        for (glm::vec2 point : outline) {
            ring.push_back(
                mesh.add({place(point, static_cast<float>(side)), normal, faceUv(point, side)}));
        }
        for (std::size_t i = 1; i + 1 < ring.size(); ++i) {
            mesh.triangle(ring[0], ring[i], ring[i + 1]);
        }
    }
    float perimeter = 0.0f;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        perimeter += glm::length(outline[(i + 1) % outline.size()] - outline[i]);
    }
    float travelled = 0.0f;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const glm::vec2 from = outline[i];
        const glm::vec2 to = outline[(i + 1) % outline.size()];
        const glm::vec2 edge = to - from;
        const glm::vec3 normal =
            glm::normalize(frame.a * edge.y - frame.b * edge.x); // outward for a CCW outline
        const float s0 = travelled / perimeter;
        travelled += glm::length(edge);
        const float s1 = travelled / perimeter;
        mesh.quad({place(from, -1), normal, rimUv(s0, 0)}, {place(to, -1), normal, rimUv(s1, 0)},
                  {place(to, 1), normal, rimUv(s1, 1)}, {place(from, 1), normal, rimUv(s0, 1)});
    }
}

void addTurned(Mesh& mesh, glm::vec3 centre, const std::vector<glm::vec2>& profile, int segments,
               const std::function<glm::vec2(glm::vec3, glm::vec3)>& uv)
{
    for (std::size_t piece = 0; piece + 1 < profile.size(); ++piece) {
        const glm::vec2 inner = profile[piece];
        const glm::vec2 outer = profile[piece + 1];
        const glm::vec2 along = outer - inner;
        // The profile's outward normal in (radius, height): turned a quarter to the right of
        // travel, since the profile runs outwards from the axis.
        const glm::vec2 across = glm::normalize(glm::vec2(along.y, -along.x)) * -1.0f;
        for (int i = 0; i < segments; ++i) {
            const float a0 = 2.0f * pi * static_cast<float>(i) / static_cast<float>(segments);
            const float a1 = 2.0f * pi * static_cast<float>(i + 1) / static_cast<float>(segments);
            const glm::vec3 d0(std::cos(a0), 0.0f, std::sin(a0));
            const glm::vec3 d1(std::cos(a1), 0.0f, std::sin(a1));
            const auto corner = [&](glm::vec3 direction, glm::vec2 point) {
                const glm::vec3 position = centre + direction * point.x + glm::vec3(0, point.y, 0);
                const glm::vec3 normal =
                    glm::normalize(direction * across.x + glm::vec3(0, across.y, 0));
                return Vertex{position, normal, uv(position, normal)};
            };
            if (inner.x < 1e-6f || outer.x < 1e-6f) { // a fan round the axis
                const glm::vec2 axisPoint = inner.x < 1e-6f ? inner : outer;
                const glm::vec2 rimPoint = inner.x < 1e-6f ? outer : inner;
                const std::uint32_t tip = mesh.add(corner(d0, axisPoint));
                const std::uint32_t b = mesh.add(corner(d0, rimPoint));
                const std::uint32_t c = mesh.add(corner(d1, rimPoint));
                mesh.triangle(tip, b, c);
                continue;
            }
            mesh.quad(corner(d0, inner), corner(d0, outer), corner(d1, outer), corner(d1, inner));
        }
    }
}
