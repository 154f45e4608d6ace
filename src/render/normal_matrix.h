#pragma once

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>
#include <glm/matrix.hpp>

// The normal matrix of a model matrix, kept from one draw to the next. Most models never move,
// so the inverse is taken again only when the model matrix changes.
class NormalMatrix {
  public:
    const glm::mat3& of(const glm::mat4& model)
    {
        if (model != source) {
            source = model;
            value = glm::mat3(glm::transpose(glm::inverse(model)));
        }
        return value;
    }

  private:
    glm::mat4 source{0.0f};
    glm::mat3 value{0.0f};
};
