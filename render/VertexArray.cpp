#include "render/VertexArray.h"

#include "base/Log.h"

VertexArray::VertexArray(int reservedBuffers, GLenum mode)
    : primitiveMode(mode)
{
    if (reservedBuffers > 0)
        vertexBuffers.reserve(size_t(reservedBuffers));
}

VertexArray::~VertexArray()
{
    for (VertexBuffer& buffer : vertexBuffers)
        glDeleteBuffers(1, &buffer.id);
    if (indices != 0)
        glDeleteBuffers(1, &indices);
}

int VertexArray::addBuffer(const void* data, size_t bytes, int attributeCount)
{
    VertexBuffer buffer;
    buffer.attributeCount = attributeCount > 0 ? attributeCount : 0;
    buffer.attributes.resize(size_t(buffer.attributeCount));
    buffer.bytes = bytes;
    glGenBuffers(1, &buffer.id);
    glBindBuffer(buffer.target, buffer.id);
    glBufferData(buffer.target, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    glBindBuffer(buffer.target, 0);
    vertexBuffers.push_back(std::move(buffer));
    return int(vertexBuffers.size()) - 1;
}

void VertexArray::setAttribute(int buffer, int slot, const VertexAttribute& attribute)
{
    if (buffer < 0 || size_t(buffer) >= vertexBuffers.size())
        return;
    VertexBuffer& target = vertexBuffers[size_t(buffer)];
    if (slot < 0 || slot >= target.attributeCount)
        return;
    target.attributes[size_t(slot)] = attribute;
}

void VertexArray::setIndices(const uint32_t* data, size_t bytes)
{
    if (indices != 0) {
        logError("indexBuffer already bound!");
        return;
    }
    glGenBuffers(1, &indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    count = GLsizei(bytes / sizeof(uint32_t));
}

void VertexArray::draw() const
{
    if (indices == 0)
        return;
    for (const VertexBuffer& buffer : vertexBuffers) {
        glBindBuffer(buffer.target, buffer.id);
        for (const VertexAttribute& a : buffer.attributes) {
            glEnableVertexAttribArray(a.location);
            glVertexAttribPointer(a.location, a.components, a.type, GLboolean(a.normalized), a.stride,
                reinterpret_cast<const void*>(uintptr_t(a.offset)));
        }
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    glDrawElements(primitiveMode, count, GL_UNSIGNED_INT, nullptr);
    for (const VertexBuffer& buffer : vertexBuffers) {
        glBindBuffer(buffer.target, 0);
        for (const VertexAttribute& a : buffer.attributes)
            glDisableVertexAttribArray(a.location);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

std::unique_ptr<VertexArray> makeFullscreenQuad()
{
    static const float positions[] = { -1.0f, -1.0f, 1.0f, -1.0f, 1.0f, 1.0f, -1.0f, 1.0f };
    static const float texCoords[] = { 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f };
    static const uint32_t quadIndices[] = { 0, 1, 2, 3 };
    auto quad = std::make_unique<VertexArray>(2, GL_QUADS);
    int position = quad->addBuffer(positions, sizeof positions, 1);
    quad->setAttribute(position, 0, VertexAttribute { 0, 2, GL_FLOAT, GL_FALSE, 8, 0 });
    int texCoord = quad->addBuffer(texCoords, sizeof texCoords, 1);
    quad->setAttribute(texCoord, 0, VertexAttribute { 1, 2, GL_FLOAT, GL_FALSE, 8, 0 });
    quad->setIndices(quadIndices, sizeof quadIndices);
    return quad;
}
