#include "physics/capsule_controller.h"

#include <memory>
#include <vector>

struct ControllerManager::Controllers {
    std::vector<std::unique_ptr<CapsuleController>> list;
};

ControllerManager::ControllerManager(btCollisionWorld* world)
    : world(world), controllers(new Controllers)
{
}

ControllerManager::~ControllerManager()
{
    delete controllers;
}

CapsuleController* ControllerManager::createController(const CapsuleControllerSettings& settings)
{
    controllers->list.push_back(std::make_unique<CapsuleController>(world, settings));
    return controllers->list.back().get();
}

CapsuleController* ControllerManager::getController(int index) const
{
    if (index < 0 || index >= getNbControllers()) {
        return nullptr;
    }
    return controllers->list[std::size_t(index)].get();
}

int ControllerManager::getNbControllers() const
{
    return int(controllers->list.size());
}
