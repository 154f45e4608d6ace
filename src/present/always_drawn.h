#pragma once

// How many models the kitchen draws every frame without a culling test (KitchenScene's
// alwaysDrawn); the HUD's debug line counts them with the models that passed culling.
inline constexpr int alwaysDrawnModels = 6;
