#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// The mouse-driven inspection camera: the left button turns it around its target, the right
// button pans the target, the wheel (orbitZoom) sets the distance.
class OrbitCamera {
  public:
    OrbitCamera(float fovDegrees, float aspect, float near, float far);

    // The left button turns, the right button pans; distance is the wheel's orbitZoom.
    void update(int cursorX, int cursorY, bool turning, bool panning, float distance);

    glm::mat4 viewProjection() const { return projection * view; }
    const glm::mat4& getView() const { return view; }
    const glm::mat4& getProjection() const { return projection; }
    const glm::vec3& getPosition() const { return position; }

    // All the camera carries from one update to the next; its view follows from it.
    struct State {
        int lastCursorX = 0;
        int lastCursorY = 0;
        float yaw = 0.0f;
        float pitch = 0.0f;
        glm::vec3 position{0.0f};
        glm::vec3 pan{0.0f};
    };
    State state() const { return {lastCursorX, lastCursorY, yaw, pitch, position, pan}; }
    void restore(const State& state);

  private:
    void buildView();

    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    int lastCursorX = 0;
    int lastCursorY = 0;
    float yaw = 0.0f;   // radians
    float pitch = 0.0f; // radians, kept just short of straight up or down
    glm::vec3 position{0.0f};
    glm::vec3 pan{0.0f};
};
