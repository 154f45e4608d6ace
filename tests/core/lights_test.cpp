#include "render/lights.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

TEST(Lights, TheKitchenSunTravelsDownAndTowardsMinusX)
{
    const DirectionalLight sun = kitchenDirectionalLight();
    EXPECT_TRUE(sun.enabled);
    EXPECT_EQ(sun.color, glm::vec3(1.0f));
    EXPECT_NEAR(sun.direction.x, -0.7053456f, 1e-6f);
    EXPECT_NEAR(sun.direction.y, -0.7053456f, 1e-6f);
    EXPECT_NEAR(sun.direction.z, 0.0705346f, 1e-6f);
}

TEST(Lights, ADirectionalLightStoresAUnitDirection)
{
    EXPECT_NEAR(glm::length(DirectionalLight({1, 1, 1}, {0, -250, 3}).direction), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::length(DirectionalLight({1, 1, 1}, {0.001f, 0, 0}).direction), 1.0f, 1e-6f);
}

TEST(Lights, APointLightKeepsItsVectorsAsGiven)
{
    const PointLight lamp = kitchenPointLight();
    EXPECT_TRUE(lamp.enabled);
    EXPECT_EQ(lamp.color, glm::vec3(0.0f));
    EXPECT_EQ(lamp.position, glm::vec3(110, 41, 24));
    EXPECT_EQ(lamp.attenuation, glm::vec3(1, 0, 0));
}
