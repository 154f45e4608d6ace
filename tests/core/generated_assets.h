#pragma once

#include "render/dds_file.h"
#include "render/model_import.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

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
            Triangle& t = out.emplace_back();
            for (int k = 0; k < 3; ++k) {
                t.corner[k] = mesh.positions[mesh.indices[i + k]];
                t.normal[k] = mesh.normals[mesh.indices[i + k]];
            }
        }
    }
    return out;
}

// Heights of the upward-facing surfaces over (x, z).
inline std::vector<float> topsAt(const std::vector<Triangle>& model, float x, float z)
{
    std::vector<float> heights;
    for (const Triangle& t : model) {
        const glm::vec3 a = t.corner[0], b = t.corner[1], c = t.corner[2];
        const float area = (b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z);
        const float wb = ((x - a.x) * (c.z - a.z) - (c.x - a.x) * (z - a.z)) / area;
        const float wc = ((b.x - a.x) * (z - a.z) - (x - a.x) * (b.z - a.z)) / area;
        if (t.facing().y > 0.99f && std::min({wb, wc, 1.0f - wb - wc}) > -1e-5f) {
            heights.push_back(a.y + wb * (b.y - a.y) + wc * (c.y - a.y));
        }
    }
    return heights;
}

// A DXT1 texture parsed by the game's DDS reader, then decoded from the format's definition (as
// a GL driver does), sharing nothing with the generator's encoder.
struct Texture {
    DdsImage header;
    std::vector<glm::vec3> pixels; // 0..1, row 0 at the top
};

inline std::optional<Texture> texture(const std::string& file)
{
    static std::string bytes; // the parsed image points into it
    bytes = fileText(assetFolder() / "textures" / file);
    const auto parsed =
        parseDds(std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()));
    if (!parsed || parsed->internalFormat != ddsFormatDxt1) {
        return std::nullopt;
    }
    Texture out{*parsed, std::vector<glm::vec3>(std::size_t{parsed->width} * parsed->height)};
    const auto* block = reinterpret_cast<const std::uint8_t*>(parsed->data.data());
    for (std::uint32_t by = 0; by < parsed->height / 4; ++by) {
        for (std::uint32_t bx = 0; bx < parsed->width / 4; ++bx, block += 8) {
            const int c0 = block[0] | block[1] << 8, c1 = block[2] | block[3] << 8;
            const auto colour565 = [](int packed) {
                return glm::vec3(packed >> 11, (packed >> 5) & 63, packed & 31) /
                       glm::vec3(31, 63, 31);
            };
            const glm::vec3 a = colour565(c0), b = colour565(c1);
            const glm::vec3 palette[4] = {a, b, c0 > c1 ? (2.0f * a + b) / 3.0f : (a + b) * 0.5f,
                                          c0 > c1 ? (a + 2.0f * b) / 3.0f : glm::vec3(0.0f)};
            for (int pixel = 0; pixel < 16; ++pixel) {
                out.pixels[(by * 4 + pixel / 4) * parsed->width + bx * 4 + pixel % 4] =
                    palette[(block[4 + pixel / 4] >> (2 * (pixel % 4))) & 3];
            }
        }
    }
    return out;
}

} // namespace generated
