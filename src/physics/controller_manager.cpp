#include "physics/capsule_controller.h"

CapsuleController* ControllerManager::createController(const CapsuleControllerSettings& settings)
{
    controller = std::make_unique<CapsuleController>(world, settings);
    return controller.get();
}
