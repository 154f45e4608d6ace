#pragma once

class OrbitCamera;
class PlayerCamera;
class Shader;
struct DirectionalLight;
struct PointLight;

// Gives one lit program what is the same for every model of the frame: the shown camera
// (the player camera when followCamera is on, else the orbit camera), the brightness, the toon
// switch and the two lights. Binds the program. Called for "texture" and then "texture_lm"
// before any model is drawn.
void setPerFrameUniforms(Shader& shader, const OrbitCamera& orbitCamera,
                         const PlayerCamera& playerCamera, const DirectionalLight& directional,
                         const PointLight& point, float brightness, bool followCamera, bool toon);
