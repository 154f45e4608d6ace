#include "render/model_import.h"

#include <assimp/IOSystem.hpp>
#include <assimp/Importer.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr unsigned int importFlags = aiProcess_Triangulate | aiProcess_FlipUVs;

// Created on the first import and kept until the process ends, so the thirteen model files
// share one set of import machinery. Each import replaces the previous scene inside it.
Assimp::Importer& importer()
{
    static Assimp::Importer instance;
    return instance;
}

// Serves the model's own bytes under one name and refuses every other file. The OBJ reader
// opens the material libraries a file names and, when one is missing, a library named like
// the model (which the library's own memory reading answers with the model itself); its
// material reader writes through a null pointer on a texture line that comes before any
// material, so one hostile line crashed the game. The game uses no material of the file, so
// no other file is read at all.
class ModelFileOnly final : public Assimp::IOSystem {
  public:
    ModelFileOnly(std::span<const std::byte> bytes, std::string name)
        : bytes(bytes), name(std::move(name))
    {
    }

    bool Exists(const char* file) const override { return name == file; }
    char getOsSeparator() const override { return '/'; }

    Assimp::IOStream* Open(const char* file, const char* /*mode*/) override
    {
        if (name != file) {
            return nullptr;
        }
        return new Assimp::MemoryIOStream(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          bytes.size());
    }

    void Close(Assimp::IOStream* stream) override { delete stream; }

  private:
    std::span<const std::byte> bytes;
    std::string name;
};

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

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The first number of each index group ("7", "7/2", "-1//3") of a face, line or point record,
// or nullopt for one too long to be sure how the importer reads it. Stops at a comment; groups
// that do not start with a number are passed over.
template <typename Visit> void forEachVertexIndex(std::string_view record, Visit visit)
{
    record = record.substr(0, record.find('#'));
    std::size_t at = 1; // past the record's letter
    while (at < record.size()) {
        while (at < record.size() && isBlank(record[at])) {
            ++at;
        }
        const std::size_t end = std::min(record.find_first_of(" \t", at), record.size());
        const std::string_view group = record.substr(at, end - at);
        const std::size_t sign = group.starts_with('-') ? 1 : 0;
        std::size_t digits = 0;
        while (sign + digits < group.size() &&
               std::isdigit(static_cast<unsigned char>(group[sign + digits]))) {
            ++digits;
        }
        if (digits > 9) {
            visit(std::nullopt);
        } else if (digits > 0) {
            const long long number = std::stoll(std::string(group.substr(sign, digits)));
            visit(sign == 1 ? -number : number);
        }
        at = end;
    }
}

// The OBJ reader builds the meshes of the objects before one whose record names a vertex the
// file lacks, then gives up on that one and loses those meshes: memory leaked on every such
// file. Such a file is refused here before the importer sees it. The check only ever refuses
// what the importer refuses too: vertices are over-counted (any line whose first letter is a
// "v" record, indented or not), records are read only where the importer reads them (at the
// start of a line), and text whose reading is less certain (NUL bytes, line continuations,
// lone carriage returns, indices of ten digits or more) is left to the importer.
bool objVertexIndicesInRange(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0' || c == '\\' ||
            (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            return true;
        }
    }
    long long vertices = 0;
    long long largestIndex = 0;
    bool inRange = true;
    bool uncertain = false;
    std::size_t start = 0;
    while (start < text.size() && inRange && !uncertain) {
        std::string_view line = text.substr(start, text.find('\n', start) - start);
        start += line.size() + 1;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const auto letter = std::find_if(line.begin(), line.end(), [](char c) {
            return !isBlank(c) && static_cast<unsigned char>(c) < 0x80;
        });
        if (letter != line.end() && letter + 1 != line.end() && *letter == 'v' &&
            isBlank(*(letter + 1))) {
            ++vertices;
        } else if (line.size() > 1 && (line[0] == 'f' || line[0] == 'l' || line[0] == 'p') &&
                   isBlank(line[1])) {
            // A negative index counts back from the vertices read so far; a positive one may
            // name a vertex further down the file.
            forEachVertexIndex(line, [&](std::optional<long long> index) {
                if (!index) {
                    uncertain = true;
                } else if (*index < -vertices) {
                    inRange = false;
                } else {
                    largestIndex = std::max(largestIndex, *index);
                }
            });
        }
    }
    return uncertain || (inRange && largestIndex <= vertices);
}

bool isObjHint(const std::string& formatHint)
{
    std::string lower = formatHint;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == "obj";
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
    // The file is read here and handed over as bytes, so a file takes exactly the path the
    // fuzz target drives; the extension tells the importer the format as a name would.
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return {};
    }
    const std::vector<char> text{std::istreambuf_iterator<char>(file),
                                 std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return {};
    }
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) {
        extension.erase(0, 1);
    }
    return importModel(std::as_bytes(std::span(text)), extension);
}

std::vector<GeometryData> importModel(std::span<const std::byte> bytes,
                                      const std::string& formatHint)
{
    if (bytes.empty()) {
        return {};
    }
    // An OBJ file is text, which never holds a NUL byte. Its material libraries are never
    // read, and the OBJ reader's handling of their names alone is unsafe: names with "://"
    // sent it through a bad pointer or out of its stack, found by the fuzzer more than once.
    // So every "mtllib" becomes a comment, and the reader never sees one; a file with a line
    // continuation, which could spell one across lines, is refused (no exporter of ours, nor
    // of the kitchen's kind of model, writes one).
    const bool obj = isObjHint(formatHint);
    std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (obj && (text.find_first_of(std::string_view("\0\\", 2)) != std::string::npos ||
                !objVertexIndicesInRange(text))) {
        return {};
    }
    for (std::size_t at = text.find("mtllib"); obj && at != std::string::npos;
         at = text.find("mtllib", at + 1)) {
        text[at] = '#';
    }
    // The name only carries the format to the importer. The importer deletes a file system
    // it is handed when the next one replaces it, but not when it is told to go back to its
    // default one: so this one lives here, and the default is put back before it goes.
    ModelFileOnly files(std::as_bytes(std::span(text)), "model." + formatHint);
    importer().SetIOHandler(&files);
    std::vector<GeometryData> meshes =
        collectMeshes(importer().ReadFile("model." + formatHint, importFlags));
    importer().FreeScene(); // the meshes are copied out; the scene is not needed any more
    importer().SetIOHandler(nullptr);
    return meshes;
}
