#include "render/model_import.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <optional>

namespace {

constexpr unsigned int importFlags = aiProcess_Triangulate | aiProcess_FlipUVs;

// Created on the first import and kept until the process ends, so the thirteen model files
// share one set of import machinery. Each import replaces the previous scene inside it.
Assimp::Importer& importer()
{
    static Assimp::Importer instance;
    return instance;
}

std::optional<GeometryData> toGeometryData(const aiMesh& mesh)
{
    if (mesh.mNumVertices == 0 || mesh.mVertices == nullptr || mesh.mNormals == nullptr) {
        return std::nullopt;
    }
    const aiVector3D* uvs = mesh.mTextureCoords[0];

    GeometryData data;
    data.positions.reserve(mesh.mNumVertices);
    data.normals.reserve(mesh.mNumVertices);
    data.uvs.reserve(mesh.mNumVertices);
    for (unsigned int i = 0; i < mesh.mNumVertices; ++i) {
        const aiVector3D& position = mesh.mVertices[i];
        const aiVector3D& normal = mesh.mNormals[i];
        data.positions.emplace_back(position.x, position.y, position.z);
        data.normals.emplace_back(normal.x, normal.y, normal.z);
        data.uvs.emplace_back(uvs != nullptr ? glm::vec2(uvs[i].x, uvs[i].y) : glm::vec2(0.0f));
    }

    data.indices.reserve(std::size_t{mesh.mNumFaces} * 3);
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices < 3 || face.mIndices == nullptr) {
            continue;
        }
        bool inRange = true;
        for (unsigned int k = 0; k < face.mNumIndices; ++k) {
            inRange = inRange && face.mIndices[k] < mesh.mNumVertices;
        }
        if (!inRange) {
            continue;
        }
        data.indices.insert(data.indices.end(), face.mIndices, face.mIndices + face.mNumIndices);
    }
    return data;
}

std::vector<GeometryData> collectMeshes(const aiScene* scene)
{
    std::vector<GeometryData> meshes;
    if (scene == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 ||
        scene->mRootNode == nullptr || scene->mMeshes == nullptr) {
        return meshes;
    }
    for (unsigned int m = 0; m < scene->mNumMeshes; ++m) {
        if (scene->mMeshes[m] == nullptr) {
            continue;
        }
        if (std::optional<GeometryData> data = toGeometryData(*scene->mMeshes[m])) {
            meshes.push_back(std::move(*data));
        }
    }
    return meshes;
}

} // namespace

std::vector<GeometryData> importModel(const std::string& path)
{
    std::vector<GeometryData> meshes = collectMeshes(importer().ReadFile(path, importFlags));
    importer().FreeScene(); // the meshes are copied out; the scene is not needed any more
    return meshes;
}

std::vector<GeometryData> importModel(std::span<const std::byte> bytes,
                                      const std::string& formatHint)
{
    if (bytes.empty()) {
        return {};
    }
    std::vector<GeometryData> meshes = collectMeshes(
        importer().ReadFileFromMemory(bytes.data(), bytes.size(), importFlags, formatHint.c_str()));
    importer().FreeScene();
    return meshes;
}
