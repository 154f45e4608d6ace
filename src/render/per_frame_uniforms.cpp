#include "render/per_frame_uniforms.h"

#include "render/lights.h"
#include "render/orbit_camera.h"
#include "render/player_camera.h"
#include "render/shader.h"

void setPerFrameUniforms(Shader& shader, const OrbitCamera& orbitCamera,
                         const PlayerCamera& playerCamera, const DirectionalLight& directional,
                         const PointLight& point, float brightness, bool followCamera, bool toon)
{
    shader.use();
    if (followCamera) {
        shader.setUniform("viewProjMatrix", playerCamera.viewProjection());
        shader.setUniform("camera_world", playerCamera.getPosition());
    } else {
        shader.setUniform("viewProjMatrix", orbitCamera.viewProjection());
        shader.setUniform("camera_world", orbitCamera.getPosition());
    }
    shader.setUniform("brightness", brightness);
    shader.setUniform("toon", toon ? 1 : 0);
    shader.setUniform("dirL.color", directional.color);
    shader.setUniform("dirL.direction", directional.direction);
    shader.setUniform("pointL.color", point.color);
    shader.setUniform("pointL.position", point.position);
    shader.setUniform("pointL.attenuation", point.attenuation);
}
