#pragma once

#include "render/dds_file.h"
#include "render/model_import.h"

#include "block_decoding.h"

#include <glm/geometric.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// Reading the kitchen's generated assets from the build's assets/ folder, as the game does.
namespace generated {

inline std::filesystem::path assetFolder()
{
    return std::filesystem::path(KORVEL_BINARY_DIR) / "assets";
}

inline std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Triangle {
    glm::vec3 corner[3];
    glm::vec2 uv[3];
    glm::vec3 normal[3]; // as stored for each corner
    glm::vec3 facing() const
    {
        return glm::normalize(glm::cross(corner[1] - corner[0], corner[2] - corner[0]));
    }
};

// Every triangle of a model file, through the game's importer.
inline std::vector<Triangle> triangles(const std::string& model)
{
    std::vector<Triangle> out;
    for (const GeometryData& mesh :
         importModel((assetFolder() / "models" / (model + ".obj")).string())) {
        for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
            Triangle triangle;
            for (int k = 0; k < 3; ++k) {
                const std::uint32_t index = mesh.indices[i + k];
                triangle.corner[k] = mesh.positions[index];
                triangle.uv[k] = mesh.uvs[index];
                triangle.normal[k] = mesh.normals[index];
            }
            out.push_back(triangle);
        }
    }
    return out;
}

// Barycentric weights of (x, z) in a triangle seen from above, if it lies inside.
inline std::optional<glm::vec3> above(const Triangle& triangle, float x, float z)
{
    const glm::vec2 a(triangle.corner[0].x, triangle.corner[0].z);
    const glm::vec2 b(triangle.corner[1].x, triangle.corner[1].z);
    const glm::vec2 c(triangle.corner[2].x, triangle.corner[2].z);
    const glm::vec2 p(x, z);
    const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (std::abs(area) < 1e-9f) {
        return std::nullopt;
    }
    const float wb = ((p.x - a.x) * (c.y - a.y) - (c.x - a.x) * (p.y - a.y)) / area;
    const float wc = ((b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y)) / area;
    const float wa = 1.0f - wb - wc;
    constexpr float edge = -1e-5f;
    if (wa < edge || wb < edge || wc < edge) {
        return std::nullopt;
    }
    return glm::vec3(wa, wb, wc);
}

// Heights of the upward-facing surfaces over (x, z).
inline std::vector<float> topsAt(const std::vector<Triangle>& model, float x, float z)
{
    std::vector<float> heights;
    for (const Triangle& triangle : model) {
        if (triangle.facing().y < 0.99f) {
            continue;
        }
        if (const auto weights = above(triangle, x, z)) {
            heights.push_back(
                glm::dot(*weights, glm::vec3(triangle.corner[0].y, triangle.corner[1].y,
                                             triangle.corner[2].y)));
        }
    }
    return heights;
}

// A texture parsed by the game's DDS reader, then decoded.
struct Texture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t internalFormat = 0;
    block_decoding::Picture picture;

    glm::vec3 at(glm::vec2 uv) const
    {
        const int x = std::clamp(static_cast<int>(uv.x * static_cast<float>(width)), 0,
                                 static_cast<int>(width) - 1);
        const int y = std::clamp(static_cast<int>(uv.y * static_cast<float>(height)), 0,
                                 static_cast<int>(height) - 1);
        return glm::vec3(picture.at(x, y));
    }
};

inline std::optional<Texture> texture(const std::string& file)
{
    const std::string bytes = fileText(assetFolder() / "textures" / file);
    const auto parsed =
        parseDds(std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()));
    if (!parsed) {
        return std::nullopt;
    }
    const auto* blocks = reinterpret_cast<const std::uint8_t*>(parsed->data.data());
    return Texture{parsed->width, parsed->height, parsed->internalFormat,
                   block_decoding::decode(blocks, static_cast<int>(parsed->width),
                                          static_cast<int>(parsed->height),
                                          parsed->internalFormat == ddsFormatDxt5)};
}

} // namespace generated
