#include "scenario_world.h"

#include <fstream>
#include <stdexcept>

namespace {

glm::vec3 vec3Of(const nlohmann::json& value)
{
    return {value.at(0).get<float>(), value.at(1).get<float>(), value.at(2).get<float>()};
}

// Rotations are listed in the order they compose: [A, B] applies B first, then A.
btQuaternion rotationOf(const nlohmann::json& collider)
{
    btQuaternion rotation = btQuaternion::getIdentity();
    if (!collider.contains("rotation")) {
        return rotation;
    }
    for (const nlohmann::json& part : collider.at("rotation")) {
        const glm::vec3 axis = vec3Of(part.at("axis"));
        const btScalar angle = part.at("angle").get<float>();
        rotation = rotation * btQuaternion(btVector3(axis.x, axis.y, axis.z).normalized(), angle);
    }
    return rotation;
}

} // namespace

ScenarioWorld::ScenarioWorld(const nlohmann::json& definition, const nlohmann::json& scenario)
{
    for (const nlohmann::json& setName : scenario.at("colliders")) {
        for (const nlohmann::json& collider :
             definition.at("colliderSets").at(setName.get<std::string>())) {
            const btCollisionObject* object = nullptr;
            if (collider.contains("plane")) {
                const nlohmann::json& plane = collider.at("plane");
                object = world.addPlane(vec3Of(plane), plane.at(3).get<float>());
            } else {
                std::vector<BoxPart> boxes;
                for (const nlohmann::json& box : collider.at("boxes")) {
                    BoxPart part{vec3Of(box.at("halfExtents"))};
                    if (box.contains("position")) {
                        part.position = vec3Of(box.at("position"));
                    }
                    part.rotation = rotationOf(box);
                    boxes.push_back(part);
                }
                object =
                    world.addBody(boxes, vec3Of(collider.at("position")), rotationOf(collider));
            }
            names[object] = collider.at("name").get<std::string>();
        }
    }
    const nlohmann::json& start = scenario.at("start");
    world.createController(
        {start.at(0).get<double>(), start.at(1).get<double>(), start.at(2).get<double>()});
}

std::string ScenarioWorld::nameOf(const btCollisionObject* object) const
{
    const auto found = names.find(object);
    return found == names.end() ? "?" : found->second;
}

nlohmann::json readJsonFile(const std::string& path)
{
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return nlohmann::json::parse(file);
}
