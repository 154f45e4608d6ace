#include "render/texture.h"

#include "render/dds_file.h"

#include <cstddef>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

namespace {

std::optional<std::vector<char>> readWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return std::nullopt;
    }
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

Texture::Texture(std::string fileName)
{
    const std::optional<std::vector<char>> file = readWholeFile("assets/textures/" + fileName);
    if (!file) {
        return;
    }
    const std::optional<DdsImage> image = parseDds(
        std::span<const std::byte>(reinterpret_cast<const std::byte*>(file->data()), file->size()));
    if (!image) {
        return;
    }
    GLint maximumSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximumSize);
    if (image->width > static_cast<GLuint>(maximumSize) ||
        image->height > static_cast<GLuint>(maximumSize)) {
        return;
    }

    handle = makeTexture();
    glBindTexture(GL_TEXTURE_2D, handle.get());
    glCompressedTexImage2D(GL_TEXTURE_2D, 0, image->internalFormat,
                           static_cast<GLsizei>(image->width), static_cast<GLsizei>(image->height),
                           0, static_cast<GLsizei>(image->uploadSize), image->data.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_R, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    // GL_TEXTURE_WRAP_T keeps GL's default, GL_REPEAT. The texture stays bound.
}

void Texture::bind(unsigned int unit) const
{
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, handle.get());
}
