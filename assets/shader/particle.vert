#version 430 core

// One cube per live particle: the instance picks the record the compute pass just wrote.
// Cubes shrink as their life runs out.

layout(location = 0) in vec3 corner;

struct Particle {
    vec4 position;
    vec4 state;
};

layout(std430, binding = 1) readonly buffer Particles {
    Particle particles[];
};

uniform mat4 viewProjMatrix;
uniform mat4 modelMatrix;
uniform float maxTTL;

out vec3 worldPosition;
out float lifeLeft; // 1 when born, 0 when about to die

void main()
{
    Particle particle = particles[gl_InstanceID];
    lifeLeft = clamp(particle.position.w / maxTTL, 0.0, 1.0);
    vec3 local = particle.position.xyz + corner * mix(0.35, 1.0, lifeLeft);
    vec4 world = modelMatrix * vec4(local, 1.0);
    worldPosition = world.xyz;
    gl_Position = viewProjMatrix * world;
}
