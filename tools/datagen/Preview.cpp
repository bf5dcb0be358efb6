#include "tools/datagen/Preview.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

struct Tile {
    Image& image;
    std::vector<float>& depth;
    int x0;
    int y0;
    int size;
    glm::vec2 centre; // of the view, in view units
    float scale; // pixels per view unit

    glm::vec2 toScreen(glm::vec3 p) const
    {
        return { float(x0) + 0.5f * float(size) + (p.x - centre.x) * scale,
            float(y0) + 0.5f * float(size) - (p.y - centre.y) * scale };
    }
    void put(int x, int y, const uint8_t rgb[3])
    {
        uint8_t* p = image.at(x, y);
        p[0] = rgb[0];
        p[1] = rgb[1];
        p[2] = rgb[2];
    }
};

struct ViewVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

void sample(const Image* texture, glm::vec2 uv, float light, bool front, uint8_t out[3])
{
    if (!front) {
        out[0] = 255, out[1] = 0, out[2] = 255;
        return;
    }
    uint8_t texel[3] = { 200, 200, 200 };
    if (texture && texture->width > 0) {
        const int tx = std::clamp(int(uv.x * float(texture->width)), 0, texture->width - 1);
        const int ty = std::clamp(int((1.0f - uv.y) * float(texture->height)), 0, texture->height - 1);
        const uint8_t* p = texture->at(tx, ty);
        texel[0] = p[0], texel[1] = p[1], texel[2] = p[2];
    }
    for (int i = 0; i < 3; ++i)
        out[i] = uint8_t(std::min(255.0f, float(texel[i]) * light));
}

void drawTriangle(Tile& tile, const ViewVertex (&v)[3], const Image* texture)
{
    const glm::vec2 s[3]
        = { tile.toScreen(v[0].position), tile.toScreen(v[1].position), tile.toScreen(v[2].position) };
    const float area = (s[1].x - s[0].x) * (s[2].y - s[0].y) - (s[1].y - s[0].y) * (s[2].x - s[0].x);
    if (std::abs(area) < 1e-8f)
        return;
    // Screen rows run downwards, so a face turned towards the viewer has a negative area here.
    const bool front = area < 0.0f;
    const int minX = std::max(tile.x0, int(std::floor(std::min({ s[0].x, s[1].x, s[2].x }))));
    const int maxX = std::min(tile.x0 + tile.size - 1, int(std::ceil(std::max({ s[0].x, s[1].x, s[2].x }))));
    const int minY = std::max(tile.y0, int(std::floor(std::min({ s[0].y, s[1].y, s[2].y }))));
    const int maxY = std::min(tile.y0 + tile.size - 1, int(std::ceil(std::max({ s[0].y, s[1].y, s[2].y }))));
    const glm::vec3 toLight = glm::normalize(glm::vec3(-0.4f, 0.6f, 1.0f));
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const glm::vec2 p(float(x) + 0.5f, float(y) + 0.5f);
            float w[3];
            for (int i = 0; i < 3; ++i) {
                const glm::vec2 a = s[(i + 1) % 3], b = s[(i + 2) % 3];
                w[i] = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / area;
            }
            if (w[0] < 0.0f || w[1] < 0.0f || w[2] < 0.0f)
                continue;
            const float z = w[0] * v[0].position.z + w[1] * v[1].position.z + w[2] * v[2].position.z;
            float& stored = tile.depth[size_t(y) * size_t(tile.image.width) + size_t(x)];
            if (z <= stored)
                continue;
            stored = z;
            const glm::vec3 n = glm::normalize(w[0] * v[0].normal + w[1] * v[1].normal + w[2] * v[2].normal);
            const glm::vec2 uv = w[0] * v[0].uv + w[1] * v[1].uv + w[2] * v[2].uv;
            uint8_t rgb[3];
            sample(texture, uv, 0.35f + 0.75f * std::max(0.0f, glm::dot(n, toLight)), front, rgb);
            tile.put(x, y, rgb);
        }
}

void drawLine(Tile& tile, glm::vec2 a, glm::vec2 b)
{
    const int steps = int(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))) + 1;
    const uint8_t yellow[3] = { 255, 220, 0 };
    for (int i = 0; i <= steps; ++i) {
        const glm::vec2 p = a + (b - a) * (float(i) / float(steps));
        const int x = int(p.x), y = int(p.y);
        if (x >= tile.x0 && y >= tile.y0 && x < tile.x0 + tile.size && y < tile.y0 + tile.size)
            tile.put(x, y, yellow);
    }
}

std::vector<glm::vec3> boxCorners(const std::pair<glm::vec3, glm::vec3>& box)
{
    std::vector<glm::vec3> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back({ i & 1 ? box.second.x : box.first.x, i & 2 ? box.second.y : box.first.y,
            i & 4 ? box.second.z : box.first.z });
    return corners;
}

void drawView(Image& image, std::vector<float>& depth, int x0, int y0, int size, const PreviewModel& model,
    const glm::mat4& view)
{
    const glm::mat3 rotation(view);
    glm::vec2 lo(1e30f), hi(-1e30f);
    auto extend = [&](glm::vec3 p) {
        lo = glm::min(lo, glm::vec2(p));
        hi = glm::max(hi, glm::vec2(p));
    };
    for (const PreviewPart& part : model.parts)
        for (const MeshVertex& v : part.mesh->vertices())
            extend(glm::vec3(view * part.transform * glm::vec4(v.position, 1.0f)));
    if (model.box)
        for (glm::vec3 c : boxCorners(*model.box))
            extend(glm::vec3(view * glm::vec4(c, 1.0f)));
    const glm::vec2 extent = glm::max(hi - lo, glm::vec2(1e-3f));
    Tile tile { image, depth, x0, y0, size, 0.5f * (lo + hi),
        0.9f * float(size) / std::max(extent.x, extent.y) };
    for (const PreviewPart& part : model.parts) {
        const glm::mat4 toView = view * part.transform;
        const glm::mat3 normalToView = rotation * glm::transpose(glm::inverse(glm::mat3(part.transform)));
        const auto& vertices = part.mesh->vertices();
        const auto& indices = part.mesh->indices();
        for (size_t i = 0; i + 2 < indices.size(); i += 3) {
            ViewVertex tri[3];
            for (int k = 0; k < 3; ++k) {
                const MeshVertex& mv = vertices[indices[i + size_t(k)]];
                tri[k]
                    = { glm::vec3(toView * glm::vec4(mv.position, 1.0f)), normalToView * mv.normal, mv.uv };
            }
            drawTriangle(tile, tri, part.texture);
        }
    }
    if (model.box) {
        const auto corners = boxCorners(*model.box);
        for (int i = 0; i < 8; ++i)
            for (int bit : { 1, 2, 4 })
                if (!(i & bit))
                    drawLine(tile, tile.toScreen(glm::vec3(view * glm::vec4(corners[size_t(i)], 1.0f))),
                        tile.toScreen(glm::vec3(view * glm::vec4(corners[size_t(i | bit)], 1.0f))));
    }
}

} // namespace

Image renderContactSheet(const std::vector<PreviewModel>& models, int columns, int tileSize)
{
    const int rows = (int(models.size()) + columns - 1) / columns;
    Image image(columns * 2 * tileSize, std::max(rows, 1) * tileSize, 3);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool odd = ((x / tileSize) + (y / tileSize)) % 2;
            uint8_t* p = image.at(x, y);
            p[0] = odd ? 52 : 44, p[1] = odd ? 58 : 50, p[2] = odd ? 72 : 64;
        }
    std::vector<float> depth(size_t(image.width) * size_t(image.height), -1e30f);
    // Front-right and back-left views, both from a little above.
    const glm::mat4 views[2] = {
        rotationX(20.0f) * rotationY(145.0f),
        rotationX(20.0f) * rotationY(-35.0f),
    };
    for (size_t m = 0; m < models.size(); ++m) {
        const int x0 = int(m % size_t(columns)) * 2 * tileSize;
        const int y0 = int(m / size_t(columns)) * tileSize;
        for (int v = 0; v < 2; ++v)
            drawView(image, depth, x0 + v * tileSize, y0, tileSize, models[m], views[v]);
    }
    return image;
}

} // namespace datagen
