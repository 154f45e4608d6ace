#pragma once

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

} // namespace kitchen
