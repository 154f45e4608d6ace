#pragma once

#include "assetgen/kitchen_parts.h"
#include "assetgen/oriented_box.h"

#include <vector>

namespace kitchen {

// Cabinet fronts below the counter tops: doors, drawers, handles and the plain end panels as
// boxes, the recessed carcass and plinth faces as rectangles.
struct FrontRectangle {
    glm::vec3 origin, edgeU, edgeV;
};
struct CabinetLayout {
    std::vector<OrientedBox> panels; // doors, drawer fronts, end panels
    std::vector<OrientedBox> handles;
    std::vector<FrontRectangle> recesses; // carcass between the doors, plinth, plinth top
};
CabinetLayout cabinetLayout();

// The floor that no camera in the room can see: under the counter runs behind their plinths,
// and under the tall wall block. The stove's opening is left out, as the stove that closes it
// is only drawn while in view.
std::vector<Area> floorUnderCabinets();

} // namespace kitchen
