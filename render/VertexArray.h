#pragma once

#include <GL/glew.h>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// How one shader input reads a vertex buffer: six 32-bit values.
struct VertexAttribute {
    GLuint location = 0;
    GLint components = 0;
    GLenum type = GL_FLOAT;
    GLuint normalized = GL_FALSE;
    GLsizei stride = 0;
    GLuint offset = 0; // in bytes
};

// One GL buffer of vertex data with its attribute slots.
struct VertexBuffer {
    GLuint id = 0;
    GLenum target = GL_ARRAY_BUFFER;
    int attributeCount = 0;
    std::vector<VertexAttribute> attributes;
    size_t bytes = 0;
};

// Vertex buffers, their layout and one index buffer of 32-bit indices, drawn
// with a primitive mode fixed at construction. Binds its buffers and
// attribute pointers at every draw; no GL vertex array object is used.
// Buffers are uploaded once with static usage.
class VertexArray {
public:
    VertexArray(int reservedBuffers, GLenum mode);
    VertexArray(const VertexArray&) = delete;
    VertexArray& operator=(const VertexArray&) = delete;
    ~VertexArray();

    // Uploads `bytes` of vertex data; returns the new buffer's index.
    int addBuffer(const void* data, size_t bytes, int attributeCount);
    // Fills one attribute slot of a buffer; out-of-range indexes are ignored.
    void setAttribute(int buffer, int slot, const VertexAttribute& attribute);
    // Creates the index buffer; a second call is refused with a message.
    void setIndices(const uint32_t* data, size_t bytes);
    // Draws every index; draws nothing before setIndices.
    void draw() const;

    GLenum mode() const { return primitiveMode; }
    GLsizei indexCount() const { return count; }
    const std::vector<VertexBuffer>& buffers() const { return vertexBuffers; }
    GLuint indexBuffer() const { return indices; }

private:
    std::vector<VertexBuffer> vertexBuffers;
    GLuint indices = 0;
    GLenum primitiveMode;
    GLsizei count = 0;
};

// The quad covering the whole screen: positions at location 0, texture
// coordinates at location 1, drawn as GL_QUADS.
std::unique_ptr<VertexArray> makeFullscreenQuad();
