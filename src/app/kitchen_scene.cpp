#include "app/kitchen_scene.h"

#include "physics/kitchen_actors.h"
#include "physics/level_layout.h"
#include "render/material.h"
#include "render/mesh_bounds.h"
#include "render/shader.h"
#include "render/texture.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

glm::mat4 placementMatrix(const level::Placement& placement)
{
    const glm::mat4 translation = glm::translate(glm::mat4(1.0f), placement.position);
    return glm::rotate(translation, placement.angleY, glm::vec3(0.0f, 1.0f, 0.0f));
}

// The colour textures, then the light maps, in the order they are loaded.
constexpr const char* textureFiles[] = {
    "tam_tex.dds",          "pizza.dds",
    "knife_tex.dds",        "floor_tex.dds",
    "wood_counter_tex.dds", "table_wood_tex.dds",
    "walls_tex.dds",        "counter_cabinets_tex.dds",
    "book_red_tex.dds",     "broom_tex.dds",
    "stove_tex.dds",        "sink_tex.dds",
    "floor_lightmap.dds",   "counter_lightmap.dds",
    "walls_lightmap.dds",   "counter_cabinets_lightmap.dds",
};
enum TextureIndex {
    playerTexture,
    pizzaTexture,
    knifeTexture,
    floorTexture,
    counterTexture,
    tableTexture,
    wallsTexture,
    cabinetsTexture,
    booksTexture,
    broomTexture,
    stoveTexture,
    sinkTexture,
    floorLightMap,
    counterLightMap,
    wallsLightMap,
    cabinetsLightMap,
};
enum MaterialIndex {
    playerMaterial,
    tableWoodMaterial,
    pizzaMaterial,
    knifeMaterial,
    booksMaterial,
    broomMaterial,
    stoveMaterial,
    sinkMaterial,
    floorMaterial,
    counterMaterial,
    wallsMaterial,
    cabinetsMaterial,
};

std::vector<std::shared_ptr<Texture>> loadTextures()
{
    std::vector<std::shared_ptr<Texture>> textures;
    for (const char* file : textureFiles) {
        textures.push_back(std::make_shared<Texture>(file));
    }
    return textures;
}

std::vector<std::shared_ptr<Material>> makeMaterials(const std::vector<std::shared_ptr<Texture>>& t,
                                                     const std::shared_ptr<Shader>& textured,
                                                     const std::shared_ptr<Shader>& lightMapped)
{
    const auto make = [](const std::shared_ptr<Shader>& shader, glm::vec3 coefficients,
                         const std::shared_ptr<Texture>& texture) -> std::shared_ptr<Material> {
        return std::make_shared<TextureMaterial>(shader, coefficients, 10.0f, texture);
    };
    return {
        make(textured, {0.3f, 0.9f, 0.3f}, t[playerTexture]),
        make(textured, {0.3f, 0.9f, 0.3f}, t[tableTexture]),
        make(textured, {0.2f, 0.9f, 0.0f}, t[pizzaTexture]),
        make(textured, {0.3f, 0.9f, 0.1f}, t[knifeTexture]),
        make(textured, {0.3f, 0.9f, 0.1f}, t[booksTexture]),
        make(textured, {0.3f, 0.9f, 0.1f}, t[broomTexture]),
        make(textured, {0.3f, 0.9f, 0.5f}, t[stoveTexture]),
        make(textured, {0.3f, 0.9f, 0.9f}, t[sinkTexture]),
        make(lightMapped, {0.3f, 0.9f, 0.3f}, t[floorTexture]),
        make(lightMapped, {0.3f, 0.9f, 0.3f}, t[counterTexture]),
        make(lightMapped, {0.6f, 0.9f, 0.3f}, t[wallsTexture]),
        make(lightMapped, {0.6f, 0.9f, 0.3f}, t[cabinetsTexture]),
    };
}

Geometry makeRoot(const std::shared_ptr<Material>& material)
{
    return Geometry(glm::mat4(1.0f), makePlaceholderData(), material);
}

Geometry makeRoot(const std::shared_ptr<Material>& material,
                  const std::shared_ptr<Texture>& lightMap)
{
    return Geometry(glm::mat4(1.0f), makePlaceholderData(), material, lightMap);
}

} // namespace

KitchenScene::KitchenScene(std::shared_ptr<Shader> textured, std::shared_ptr<Shader> lightMapped)
    : textures(loadTextures()), materials(makeMaterials(textures, textured, lightMapped)),
      knife(makeRoot(materials[knifeMaterial])), player(makeRoot(materials[playerMaterial])),
      pizza(makeRoot(materials[pizzaMaterial])), table(makeRoot(materials[tableWoodMaterial])),
      floor(makeRoot(materials[floorMaterial], textures[floorLightMap])),
      counter(makeRoot(materials[counterMaterial], textures[counterLightMap])),
      walls(makeRoot(materials[wallsMaterial], textures[wallsLightMap])),
      counterCabinets(makeRoot(materials[cabinetsMaterial], textures[cabinetsLightMap])),
      bookPile(makeRoot(materials[booksMaterial])), broom(makeRoot(materials[broomMaterial])),
      chair(makeRoot(materials[tableWoodMaterial])), stove(makeRoot(materials[stoveMaterial])),
      sink(makeRoot(materials[sinkMaterial]))
{
}

void KitchenScene::buildModels(const KitchenActors& actors)
{
    // The knife template first, then the six knives with their actors.
    knife.loadModel("assets/models/knife.obj");
    knives.reserve(actors.knives.size());
    for (PhysicsActor* actor : actors.knives) {
        knives.push_back(knife);
        knives.back().followActor(actor);
    }

    // The other templates; their roots were made above in the same order.
    player.loadModel("assets/models/tamboro_game.obj");
    pizza.loadModel("assets/models/pizza.obj");
    table.loadModel("assets/models/table.obj");
    floor.loadModel("assets/models/floor.obj");
    counter.loadModel("assets/models/counter.obj");
    walls.loadModel("assets/models/walls.obj");
    counterCabinets.loadModel("assets/models/counter_cabinets.obj");
    bookPile.loadModel("assets/models/book_pile.obj");
    broom.loadModel("assets/models/broom.obj");
    chair.loadModel("assets/models/chair.obj");
    stove.loadModel("assets/models/stove.obj");
    sink.loadModel("assets/models/sink.obj");

    // The placed copies take their transforms from the level's layout, and the static actors
    // that stand for them are bound to those transforms; the pizza's model follows its body.
    const auto place = [](std::vector<Geometry>& copies, const Geometry& model,
                          const level::Placement& placement, RigidActor* actor) {
        copies.push_back(model);
        copies.back().setTransform(placementMatrix(placement));
        copies.back().attachActor(*actor);
    };
    tables.reserve(2);
    place(tables, table, level::table1, actors.level.tables[0]);
    place(tables, table, level::table2, actors.level.tables[1]);
    bookPiles.reserve(2);
    place(bookPiles, bookPile, level::bookPile1, actors.level.bookPiles[0]);
    place(bookPiles, bookPile, level::bookPile2, actors.level.bookPiles[1]);
    chairs.reserve(level::chairs.size());
    for (size_t i = 0; i < level::chairs.size(); ++i) {
        place(chairs, chair, level::chairs[i], actors.level.chairs[i]);
    }
    pizza.followActor(actors.level.pizza);

    for (Geometry& model : chairs) {
        drawableList.push_back(&model);
    }
    drawableList.push_back(&tables[0]);
    drawableList.push_back(&bookPiles[0]);
    drawableList.push_back(&bookPiles[1]);
    drawableList.push_back(&broom);
    drawableList.push_back(&pizza);
    for (Geometry& model : knives) {
        drawableList.push_back(&model);
    }
    drawableList.push_back(&stove);
    drawableList.push_back(&sink);
}

KitchenScene::AlwaysDrawn KitchenScene::alwaysDrawn()
{
    return {&player, &tables[1], &floor, &counter, &counterCabinets, &walls};
}
