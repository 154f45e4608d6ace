#include "assetgen/obj_writer.h"

#include <cmath>
#include <cstdio>

namespace {

// Prints with a fixed number of decimals; a value that rounds to zero is printed as 0 so no
// "-0.00000" appears.
void appendNumber(std::string& out, float value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    if (std::fabs(std::round(static_cast<double>(value) * scale)) == 0.0) {
        value = 0.0f;
    }
    char text[48];
    std::snprintf(text, sizeof text, " %.*f", decimals, static_cast<double>(value));
    out += text;
}

} // namespace

std::string objText(const Mesh& mesh, const std::string& title)
{
    std::string out = "# " + title + "\n";
    out += "# " + std::to_string(mesh.vertices().size()) + " vertices, " +
           std::to_string(mesh.triangleCount()) + " triangles\n";
    out += "o " + title + "\n";
    for (const Vertex& vertex : mesh.vertices()) {
        out += "v";
        for (int axis = 0; axis < 3; ++axis) {
            appendNumber(out, vertex.position[axis], 5);
        }
        out += "\n";
    }
    for (const Vertex& vertex : mesh.vertices()) {
        out += "vt";
        appendNumber(out, vertex.uv.x, 6);
        appendNumber(out, 1.0f - vertex.uv.y, 6);
        out += "\n";
    }
    for (const Vertex& vertex : mesh.vertices()) {
        out += "vn";
        for (int axis = 0; axis < 3; ++axis) {
            appendNumber(out, vertex.normal[axis], 5);
        }
        out += "\n";
    }
    const auto& indices = mesh.indices();
    for (std::size_t i = 0; i < indices.size(); i += 3) {
        out += "f";
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const std::string number = std::to_string(indices[i + corner] + 1);
            out += " " + number + "/" + number + "/" + number;
        }
        out += "\n";
    }
    return out;
}
