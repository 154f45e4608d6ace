#include "physics/actor_tags.h"

#include <btBulletCollisionCommon.h>

const char* tagOf(const btCollisionObject& object)
{
    return static_cast<const char*>(object.getUserPointer());
}
