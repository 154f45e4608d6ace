#pragma once

#include "render/geometry_data.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Reads a model file (Wavefront OBJ in the game) into one GeometryData per mesh, in the file's
// mesh order, triangulated and with texture coordinates flipped vertically. Node hierarchy,
// node transforms and materials of the file are not used. A file that is missing or cannot be
// read gives an empty list; nothing is printed. One importer serves the whole run.
//
// Meshes without positions or without normals are left out (no normals are generated, and a
// mesh needs both to be drawn lit); faces with fewer than three indices (points and lines that
// survive triangulation) or with an index past the mesh's vertices are left out of the triangle
// list. A mesh without texture coordinates gets (0, 0) for every vertex.
std::vector<GeometryData> importModel(const std::string& path);

// The same from a file held in memory; formatHint is the file extension without the dot
// ("obj"), as the importer cannot guess the format from a name.
std::vector<GeometryData> importModel(std::span<const std::byte> bytes,
                                      const std::string& formatHint);
