#include "render/geometry.h"

#include "render/mesh_bounds.h"
#include "render/model_import.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/mat3x3.hpp>

#include <utility>

Geometry::Geometry(glm::mat4 modelMatrix, const GeometryData& data,
                   std::shared_ptr<Material> material)
    : mesh(std::make_shared<MeshBuffers>(data)), material(std::move(material)),
      modelMatrix(modelMatrix), boundingBox(computeBoundingBox(data))
{
    boundingBox.placement = modelMatrix;
}

Geometry::Geometry(glm::mat4 modelMatrix, const GeometryData& data,
                   std::shared_ptr<Material> material, std::shared_ptr<Texture> lightMap)
    : Geometry(modelMatrix, data, std::move(material))
{
    this->lightMap = std::move(lightMap);
    hasLightMap = true;
}

void Geometry::loadModel(std::string path)
{
    for (const GeometryData& data : importModel(path)) {
        auto child = hasLightMap
                         ? std::make_shared<Geometry>(glm::mat4(1.0f), data, material, lightMap)
                         : std::make_shared<Geometry>(glm::mat4(1.0f), data, material);
        boundingBox = child->boundingBox;
        children.push_back(std::move(child));
    }
}

void Geometry::syncWithActor()
{
    if (!followsActor || followedActor == nullptr) {
        return;
    }
    const Pose pose = followedActor->getGlobalPose();
    setTransform(glm::translate(glm::mat4(1.0f), pose.position) * glm::mat4_cast(pose.rotation));
}

void Geometry::draw(glm::mat4 parent)
{
    syncWithActor();
    const glm::mat4 matrix = parent * transformMatrix * modelMatrix;

    Shader& shader = *material->getShader();
    shader.use();
    if (hasLightMap) {
        if (lightMap && lightMap->isLoaded()) {
            lightMap->bind(2);
        }
        shader.setUniform("lightMap", 2);
    }
    shader.setUniform("modelMatrix", matrix);
    shader.setUniform("normalMatrix", normalMatrix.of(matrix));
    material->setUniforms();
    mesh->draw();

    for (const std::shared_ptr<Geometry>& child : children) {
        child->draw(matrix);
    }
}

void Geometry::setTransform(const glm::mat4& transform)
{
    transformMatrix = transform;
    boundingBox.placement = transformMatrix * modelMatrix;
}

void Geometry::resetModelMatrix()
{
    modelMatrix = glm::mat4(1.0f);
    boundingBox.placement = glm::mat4(1.0f);
}

void Geometry::followActor(RigidActor* actor)
{
    followedActor = actor;
    followsActor = true;
}
