#pragma once

#include "controller_world.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>

// Builds, from the shared scenario file, the colliders of one scenario into a ControllerWorld
// and remembers each body's name for comparing reports.
class ScenarioWorld {
  public:
    ScenarioWorld(const nlohmann::json& definition, const nlohmann::json& scenario);

    ControllerWorld world;
    std::map<const btCollisionObject*, std::string> names;

    std::string nameOf(const btCollisionObject* object) const;
};

// Reads a JSON file; fails the calling test when it cannot.
nlohmann::json readJsonFile(const std::string& path);
