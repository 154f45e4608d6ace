#pragma once

#include "render/bounding_box.h"
#include "render/geometry_data.h"
#include "render/material.h"
#include "render/mesh_buffers.h"
#include "render/normal_matrix.h"
#include "render/texture.h"

#include "physics/rigid_actor.h"

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>

#include <memory>
#include <string>
#include <vector>

// A node of a model: a mesh on the GPU, drawn with a material and an optional light map, at
// parent × transform × model matrix, followed by its children. A model is a root built from
// the placeholder mesh with one child per mesh of its file. Copies share the GPU mesh and the
// children, so one template can be shown in many places; each copy keeps its own matrices.
class Geometry {
  public:
    Geometry(glm::mat4 modelMatrix, const GeometryData& data, std::shared_ptr<Material> material);
    Geometry(glm::mat4 modelMatrix, const GeometryData& data, std::shared_ptr<Material> material,
             std::shared_ptr<Texture> lightMap);

    // Imports the model file (path used as given) and appends one child per mesh, drawn with
    // this node's material and light map; this node's box becomes the last mesh's. A file that
    // cannot be read adds nothing, silently.
    void loadModel(std::string path);

    // Draws this node and its subtree; `parent` is the identity for a root.
    void draw(glm::mat4 parent);

    // For a node that follows an actor: takes the actor's pose as the transform (and so the
    // box's placement). draw() does this first; culling calls it before testing the box.
    void syncWithActor();

    void setTransform(const glm::mat4& transform);
    void resetModelMatrix();

    // From now on the node is drawn where the actor is. Not owned; must outlive the node's use.
    void followActor(RigidActor* actor);

    BoundingBox getBoundingBox() const { return boundingBox; }

  private:
    std::shared_ptr<MeshBuffers> mesh;
    std::shared_ptr<Material> material;
    glm::mat4 modelMatrix;
    glm::mat4 transformMatrix{1.0f};
    RigidActor* followedActor = nullptr;
    bool followsActor = false;
    std::shared_ptr<Texture> lightMap;
    bool hasLightMap = false;
    std::vector<std::shared_ptr<Geometry>> children;
    BoundingBox boundingBox;
    NormalMatrix normalMatrix;
};
