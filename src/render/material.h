#pragma once

#include "render/shader.h"
#include "render/texture.h"

#include <glm/vec3.hpp>

#include <memory>

// How a surface is shaded: its program, its ambient, diffuse and specular factors and the
// sharpness of its highlight. Immutable; shared through std::shared_ptr by the models using it.
class Material {
  public:
    Material(std::shared_ptr<Shader> shader, const glm::vec3& materialCoefficients,
             float specularAlpha);
    virtual ~Material() = default;

    const std::shared_ptr<Shader>& getShader() const { return shader; }

    // Sets "materialCoefficients" and "specularAlpha". The material's shader must be bound.
    virtual void setUniforms();

  protected:
    std::shared_ptr<Shader> shader;
    glm::vec3 materialCoefficients; // x ambient, y diffuse, z specular factor
    float specularAlpha;
};

// A material with a colour texture, sampled on texture unit 0.
class TextureMaterial : public Material {
  public:
    TextureMaterial(std::shared_ptr<Shader> shader, const glm::vec3& materialCoefficients,
                    float specularAlpha, std::shared_ptr<Texture> diffuseTexture);
    ~TextureMaterial() override = default;

    // As Material, then binds the texture to unit 0 when it loaded and sets "diffuseTexture" to
    // 0 (also when it did not: the unit then samples whatever is bound there).
    void setUniforms() override;

  private:
    std::shared_ptr<Texture> diffuseTexture;
};
