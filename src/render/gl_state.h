#pragma once

// The GL state the game switches, for code outside render/ that must not touch GL itself.

// The game's state at start-up: a white clear colour, back faces culled, depth tested.
void setStartState();

// Lines when on, filled polygons when off, for everything drawn afterwards.
void setWireframe(bool on);

// Back-face culling on or off.
void setFaceCulling(bool on);

// Blending on for the owner's life, off again after it.
class ScopedBlend {
  public:
    // Each fragment weighs in by its own alpha over what is already there.
    ScopedBlend();
    // Every fragment weighs in by this one alpha, whatever alpha it carries. The blend colour
    // that holds it stays set afterwards: only constant blends read it, and each sets its own.
    explicit ScopedBlend(float constantAlpha);
    ~ScopedBlend();
    ScopedBlend(const ScopedBlend&) = delete;
    ScopedBlend& operator=(const ScopedBlend&) = delete;
};

// Depth writes off for the owner's life, on again after it; the depth test goes on as it was.
class ScopedDepthWritesOff {
  public:
    ScopedDepthWritesOff();
    ~ScopedDepthWritesOff();
    ScopedDepthWritesOff(const ScopedDepthWritesOff&) = delete;
    ScopedDepthWritesOff& operator=(const ScopedDepthWritesOff&) = delete;
};

// No texture bound on units 0 and 1, unit 1 left the active one, and no vertex array bound.
void unbindTexturesAndVertexArray();
