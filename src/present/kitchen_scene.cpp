#include "present/kitchen_scene.h"

#include "physics/kitchen_actors.h"
#include "physics/level_layout.h"
#include "present/kitchen_asset_names.h"
#include "render/material.h"
#include "render/mesh_bounds.h"
#include "render/shader.h"
#include "render/texture.h"

#include <glm/gtc/matrix_transform.hpp>

using namespace assetNames;

namespace {

glm::mat4 placementMatrix(const level::Placement& placement)
{
    const glm::mat4 translation = glm::translate(glm::mat4(1.0f), placement.position);
    return glm::rotate(translation, placement.angleY, glm::vec3(0.0f, 1.0f, 0.0f));
}

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
    for (int texture = 0; texture < textureCount; ++texture) {
        textures.push_back(std::make_shared<Texture>(textureFile(TextureIndex(texture))));
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

std::string modelPath(ModelIndex model)
{
    return "assets/" + modelFile(model);
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
    knife.loadModel(modelPath(knifeModel));
    knives.reserve(actors.knives.size());
    for (PhysicsActor* actor : actors.knives) {
        knives.push_back(knife);
        knives.back().followActor(actor);
    }

    // The other templates; their roots were made above in the same order.
    player.loadModel(modelPath(assetNames::playerModel));
    pizza.loadModel(modelPath(pizzaModel));
    table.loadModel(modelPath(tableModel));
    floor.loadModel(modelPath(floorModel));
    counter.loadModel(modelPath(counterModel));
    walls.loadModel(modelPath(wallsModel));
    counterCabinets.loadModel(modelPath(cabinetsModel));
    bookPile.loadModel(modelPath(bookPileModel));
    broom.loadModel(modelPath(broomModel));
    chair.loadModel(modelPath(chairModel));
    stove.loadModel(modelPath(stoveModel));
    sink.loadModel(modelPath(sinkModel));

    // The placed copies take their transforms from the level's layout, as the static actors
    // that stand for them took their poses: the physics world is the same with a window or
    // without, so a run checked headless plays as it was played. The pizza's model follows its
    // body.
    const auto place = [](std::vector<Geometry>& copies, const Geometry& model,
                          const level::Placement& placement) {
        copies.push_back(model);
        copies.back().setTransform(placementMatrix(placement));
    };
    tables.reserve(2);
    place(tables, table, level::table1);
    place(tables, table, level::table2);
    bookPiles.reserve(2);
    place(bookPiles, bookPile, level::bookPile1);
    place(bookPiles, bookPile, level::bookPile2);
    chairs.reserve(level::chairs.size());
    for (size_t i = 0; i < level::chairs.size(); ++i) {
        place(chairs, chair, level::chairs[i]);
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
