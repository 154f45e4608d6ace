#include "app/key_input.h"

#include "app/input_state.h"
#include "physics/player.h"

#include <GLFW/glfw3.h>

namespace {

void flip(bool& toggle, const char* label, std::ostream& log)
{
    toggle = !toggle;
    log << label << (toggle ? 1 : 0) << std::endl;
}

} // namespace

KeyEffects handleKeyEvent(int key, int action, std::ostream& log)
{
    handleMovementInput(key, action);

    KeyEffects effects;
    // The switches act once per press, when the key comes up; holding and auto-repeat do nothing.
    if (action != GLFW_RELEASE) {
        return effects;
    }
    switch (key) {
    case GLFW_KEY_ESCAPE:
        effects.closeWindow = true;
        break;
    case GLFW_KEY_TAB:
        input.followCamera = !input.followCamera;
        break;
    case GLFW_KEY_F2:
        flip(input.debugText, "Debug: ", log);
        break;
    case GLFW_KEY_F3:
        flip(input.wireframe, "Wireframe: ", log);
        effects.polygonModeChanged = true;
        break;
    case GLFW_KEY_F4:
        flip(input.outlines, "Outlines: ", log);
        break;
    case GLFW_KEY_F5:
        flip(input.toon, "Toon: ", log);
        break;
    case GLFW_KEY_F6:
        flip(input.backfaceCulling, "Backface Culling: ", log);
        effects.faceCullingChanged = true;
        break;
    case GLFW_KEY_F8:
        flip(input.frustumCulling, "View Frustum Culling: ", log);
        break;
    case GLFW_KEY_F11:
        input.restartRequested = true;
        break;
    default:
        break;
    }
    return effects;
}

void handleMouseButtonEvent(int button, int action)
{
    if (action != GLFW_PRESS && action != GLFW_RELEASE) {
        return;
    }
    const bool down = action == GLFW_PRESS;
    if (button == GLFW_MOUSE_BUTTON_LEFT) {
        input.leftMouseDown = down;
    } else if (button == GLFW_MOUSE_BUTTON_RIGHT) {
        input.rightMouseDown = down;
    }
}

void handleScrollEvent(double yoffset)
{
    input.orbitZoom -= static_cast<float>(yoffset) * 0.5f;
}
