#include "render/Shader.h"

#include "base/Log.h"

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>
#include <string>
#include <vector>

namespace {

GLenum glStage(ShaderStage stage)
{
    switch (stage) {
    case ShaderStage::Vertex:
        return GL_VERTEX_SHADER;
    case ShaderStage::Fragment:
        return GL_FRAGMENT_SHADER;
    case ShaderStage::Geometry:
        return GL_GEOMETRY_SHADER;
    }
    return GL_VERTEX_SHADER;
}

} // namespace

GLuint& Shader::stageId(ShaderStage stage)
{
    switch (stage) {
    case ShaderStage::Fragment:
        return fragmentShader;
    case ShaderStage::Geometry:
        return geometryShader;
    case ShaderStage::Vertex:
        break;
    }
    return vertexShader;
}

bool Shader::readFile()
{
    return readShaderFile(path, logStream(), errorStream(),
        [this](const ShaderSection& section) { compile(section.source, section.stage); });
}

void Shader::compile(const std::string& source, ShaderStage stage)
{
    GLuint id = glCreateShader(glStage(stage));
    std::string variant;
    if (!defines.empty()) {
        // GLSL wants #version before anything but blank lines (a section starts with one for
        // each line of the file above it); the lines after keep their numbers in messages.
        const size_t version = source.find("#version");
        const size_t lineEnd = version == std::string::npos ? std::string::npos : source.find('\n', version);
        if (lineEnd == std::string::npos) {
            variant = defines + source;
        } else {
            const auto nextLine = std::count(source.begin(), source.begin() + long(lineEnd), '\n') + 2;
            variant = source.substr(0, lineEnd + 1) + defines + "#line " + std::to_string(nextLine) + "\n"
                + source.substr(lineEnd + 1);
        }
    }
    const std::string& full = defines.empty() ? source : variant;
    const GLchar* text = full.c_str();
    const GLint length = GLint(full.size());
    glShaderSource(id, 1, &text, &length);
    glCompileShader(id);
    GLint status = GL_FALSE;
    glGetShaderiv(id, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        glDeleteShader(id);
        logLine(joinText("### Failed to compile ", shaderStageName(stage), "! ###"));
        id = 0;
    }
    // A later section of the same stage replaces this one; don't leak it.
    GLuint& slot = stageId(stage);
    if (slot != 0)
        glDeleteShader(slot);
    slot = id;
    logLine("create shader finish");
}

void Shader::link()
{
    program = glCreateProgram();
    if (vertexShader != 0)
        glAttachShader(program, vertexShader);
    if (geometryShader != 0) {
        glAttachShader(program, geometryShader);
        // Only drivers that advertise the old extension take these; the
        // others read the layouts the geometry shader declares itself.
        if (GLEW_EXT_geometry_shader4 && glProgramParameteriEXT) {
            glProgramParameteriEXT(program, GL_GEOMETRY_INPUT_TYPE_EXT, GL_TRIANGLES);
            glProgramParameteriEXT(program, GL_GEOMETRY_OUTPUT_TYPE_EXT, GL_TRIANGLE_STRIP);
        }
    }
    if (fragmentShader != 0)
        glAttachShader(program, fragmentShader);
    glLinkProgram(program);

    GLint logLength = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &logLength);
    std::vector<GLchar> log(size_t(logLength > 0 ? logLength : 1), '\0');
    glGetProgramInfoLog(program, GLsizei(log.size()), nullptr, log.data());
    logText(log.data(), true);

    for (GLuint* stage : { &vertexShader, &geometryShader, &fragmentShader }) {
        if (*stage != 0)
            glDeleteShader(*stage);
        *stage = 0;
    }
}

void Shader::bind() const
{
    if (program == 0) {
        fatal("bind: no shader loaded!");
    }
    glUseProgram(program);
}

void Shader::unbind() const
{
    glUseProgram(0);
}

GLint Shader::uniformLocation(const char* name) const
{
    return glGetUniformLocation(program, name);
}

void Shader::setInt(const char* name, int value) const
{
    glUniform1i(uniformLocation(name), value);
}

void Shader::setFloat(const char* name, float value) const
{
    glUniform1f(uniformLocation(name), value);
}

void Shader::setVec2(const char* name, const glm::vec2& value) const
{
    glUniform2fv(uniformLocation(name), 1, glm::value_ptr(value));
}

void Shader::setVec3(const char* name, const glm::vec3& value) const
{
    glUniform3fv(uniformLocation(name), 1, glm::value_ptr(value));
}

void Shader::setVec4(const char* name, const glm::vec4& value) const
{
    glUniform4fv(uniformLocation(name), 1, glm::value_ptr(value));
}

void Shader::setMat4(const char* name, const glm::mat4& value) const
{
    glUniformMatrix4fv(uniformLocation(name), 1, GL_FALSE, glm::value_ptr(value));
}

void setInt(int value, const Shader& shader, const char* name)
{
    shader.setInt(name, value);
}
