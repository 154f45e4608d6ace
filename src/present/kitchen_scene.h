#pragma once

#include "present/always_drawn.h"
#include "render/geometry.h"

#include <array>
#include <memory>
#include <vector>

class Shader;
class Texture;
class Material;
class RigidActor;
struct KitchenActors;

// The kitchen as it is drawn: textures, materials, the template models and their placed
// copies, bound to the physics actors that stand for them. Lives until shutdown.
class KitchenScene {
  public:
    // The textures and the materials on them. textured: "texture.vert" + "texture.frag";
    // lightMapped: "texture.vert" + "texture_lm.frag".
    KitchenScene(std::shared_ptr<Shader> textured, std::shared_ptr<Shader> lightMapped);

    // Loads the models and binds the knives, the placed copies and the pizza to their actors.
    void buildModels(const KitchenActors& actors);
    KitchenScene(const KitchenScene&) = delete;
    KitchenScene& operator=(const KitchenScene&) = delete;

    // The eighteen models that are culled, in drawing order: chairs, table 1, book piles, broom,
    // pizza, knives, stove, sink.
    std::vector<Geometry*>& drawables() { return drawableList; }

    // The models drawn every frame without a test, in drawing order: the player, table 2, the
    // floor, the counter, the counter cabinets, the walls.
    using AlwaysDrawn = std::array<Geometry*, alwaysDrawnModels>;
    AlwaysDrawn alwaysDrawn();

    Geometry& playerModel() { return player; }

  private:
    std::vector<std::shared_ptr<Texture>> textures;
    std::vector<std::shared_ptr<Material>> materials;

    // Templates, in the order they are made. The knife, table, book pile and chair templates
    // are never drawn themselves: only their copies are.
    Geometry knife;
    Geometry player;
    Geometry pizza;
    Geometry table;
    Geometry floor;
    Geometry counter;
    Geometry walls;
    Geometry counterCabinets;
    Geometry bookPile;
    Geometry broom;
    Geometry chair;
    Geometry stove;
    Geometry sink;

    std::vector<Geometry> knives;
    std::vector<Geometry> tables;
    std::vector<Geometry> bookPiles;
    std::vector<Geometry> chairs;

    std::vector<Geometry*> drawableList;
};
