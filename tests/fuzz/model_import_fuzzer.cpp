// Any bytes as a Wavefront OBJ model: the import gives meshes the renderer can draw as they
// are, or none. Each mesh has one normal and one texture coordinate per position and a
// triangle list whose every index names one of its vertices.
#include "render/model_import.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    for (const GeometryData& mesh : importModel(bytes, "obj")) {
        assert(!mesh.positions.empty());
        assert(mesh.normals.size() == mesh.positions.size());
        assert(mesh.uvs.size() == mesh.positions.size());
        assert(mesh.indices.size() % 3 == 0);
        for (const std::uint32_t index : mesh.indices) {
            assert(index < mesh.positions.size());
        }
    }
    return 0;
}
