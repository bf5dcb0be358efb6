#pragma once

#include <glm/mat4x4.hpp>
#include <vector>

struct FrameState;

// A textured object made of mesh-table parts, each with its own texture and
// part matrix, sharing one model matrix. Meshes, textures and the shader are
// table indices: a Model owns none of them, so any number of models costs
// one record each. Only draw needs a GL context.
class Model {
public:
    std::vector<int> meshes; // mesh table indices, one per part
    std::vector<int> textures; // model texture table indices, one per part
    std::vector<glm::mat4> partMatrices;
    std::vector<bool> partVisible;
    int shader = 0; // shader table index
    glm::mat4 modelMatrix { 1.0f };
    glm::mat4 normalMatrix { 1.0f };
    bool alwaysBright = false;
    bool golden = false;
    bool inHand = false; // the player's lamp and hand: lit by the lamp beside them, cone or not

    Model(int mesh, int texture, int shaderIndex, bool bright);
    virtual ~Model() = default;

    void addPart(int mesh, int texture);
    // Out-of-range parts are ignored.
    void setPartMatrix(const glm::mat4& matrix, int part);
    void setPartVisible(bool visible, int part);
    void setModelMatrix(const glm::mat4& matrix) { modelMatrix = matrix; }
    const glm::mat4& getModelMatrix() const { return modelMatrix; }
    void setNormalMatrix(const glm::mat4& matrix) { normalMatrix = matrix; }
    // The frame's view × modelMatrix (a model-view matrix, as the model shader expects).
    void updateNormalMatrix(const glm::mat4& viewMatrix);

    // Draws the visible parts with the frame's matrices and lights.
    void draw(const FrameState& frame) const;

    int partCount() const { return int(meshes.size()); }

private:
    void setUniforms(const FrameState& frame) const;
};
