#include "render/material.h"

#include <utility>

Material::Material(std::shared_ptr<Shader> shader, const glm::vec3& materialCoefficients,
                   float specularAlpha)
    : shader(std::move(shader)), materialCoefficients(materialCoefficients),
      specularAlpha(specularAlpha)
{
}

void Material::setUniforms()
{
    shader->setUniform("materialCoefficients", materialCoefficients);
    shader->setUniform("specularAlpha", specularAlpha);
}

TextureMaterial::TextureMaterial(std::shared_ptr<Shader> shader,
                                 const glm::vec3& materialCoefficients, float specularAlpha,
                                 std::shared_ptr<Texture> diffuseTexture)
    : Material(std::move(shader), materialCoefficients, specularAlpha),
      diffuseTexture(std::move(diffuseTexture))
{
}

void TextureMaterial::setUniforms()
{
    Material::setUniforms();
    if (diffuseTexture && diffuseTexture->isLoaded()) {
        diffuseTexture->bind(0);
    }
    shader->setUniform("diffuseTexture", 0);
}
