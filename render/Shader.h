#pragma once

#include "render/ShaderFile.h"

#include <GL/glew.h>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <string>

// One GLSL program read from a shader file. Stages compile as soon as their
// section ends; `link` joins them. All operations except construction need a
// current GL context. Destroying a Shader leaves its program to the context,
// which ends right after the shaders are freed at shutdown.
class Shader {
public:
    std::string path;
    // Lines put after each stage's #version line: a variant of the file, the same
    // source built with some of its parts left out by the preprocessor.
    std::string defines;
    GLuint program = 0;
    GLuint vertexShader = 0;
    GLuint geometryShader = 0;
    GLuint fragmentShader = 0;

    Shader() = default;
    explicit Shader(std::string file)
        : path(std::move(file))
    {
    }
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Reads `path`, compiling every complete section (messages on standard
    // output and the error stream). Returns false when the file is missing.
    bool readFile();
    // Compiles one stage and stores its id (0 when it failed) in the field of
    // its stage, replacing an earlier stage of the same kind.
    void compile(const std::string& source, ShaderStage stage);
    // Links the compiled stages into `program`, prints the linker's log and
    // deletes the stage shaders.
    void link();

    // Uses the program; a Shader without a program ends the game (exit 1).
    void bind() const;
    void unbind() const;

    // Uniform access by name, looked up at every call; the caller has bound
    // the shader. Unknown names are ignored, as GL does for location -1.
    GLint uniformLocation(const char* name) const;
    void setInt(const char* name, int value) const;
    void setFloat(const char* name, float value) const;
    void setVec2(const char* name, const glm::vec2& value) const;
    void setVec3(const char* name, const glm::vec3& value) const;
    void setVec4(const char* name, const glm::vec4& value) const;
    void setMat4(const char* name, const glm::mat4& value) const;

private:
    GLuint& stageId(ShaderStage stage);
};

// Sets an integer uniform of a bound shader.
void setInt(int value, const Shader& shader, const char* name);
