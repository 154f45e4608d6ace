#pragma once

#include "physics/capsule_sweep.h"

#include <glm/vec3.hpp>

#include <optional>

// The face of a static shape that a sweep landed on, as the slope rule sees it.
struct TouchedFace {
    glm::dvec3 normal{0.0}; // outward, unit
    double highest = 0.0;   // highest point of the face along up; infinite for a tilted plane
};

// Finds the face of a box or plane (on its own or as a child of a compound) that a sweep along
// the direction touched. Other shapes have none.
std::optional<TouchedFace> findTouchedFace(const SweepContact& contact, const glm::dvec3& direction,
                                           const glm::dvec3& up);
