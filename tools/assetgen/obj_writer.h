#pragma once

#include "assetgen/mesh.h"

#include <string>

// The Wavefront OBJ text of a mesh: every corner as one v, vt and vn line, every triangle as an
// f line of three v/vt/vn triples. The texture's v is written bottom-up as OBJ files count it
// (the importer flips it back), positions with five decimals, texture coordinates with six.
std::string objText(const Mesh& mesh, const std::string& title);
