#include "tools/datagen/MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

#include <glm/gtc/matrix_transform.hpp>

namespace datagen {

namespace {

constexpr float kPi = 3.14159265358979f;

// Two neighbouring profile bands are shaded as one smooth surface when
// their normals differ by less than this (cos 50 degrees); sharper bends
// such as a bottle's lip keep a crisp edge.
constexpr float kSmoothCos = 0.64f;

} // namespace

UvRect uvOf(PixelRect rect, int size)
{
    const float s = float(size);
    return { (float(rect.x) + 0.5f) / s, 1.0f - (float(rect.y + rect.h) - 0.5f) / s,
        (float(rect.x + rect.w) - 0.5f) / s, 1.0f - (float(rect.y) + 0.5f) / s };
}

uint32_t Mesh::addVertex(glm::vec3 position, glm::vec3 normal, glm::vec2 uv)
{
    vertices_.push_back({ position, glm::normalize(normal), uv });
    return uint32_t(vertices_.size() - 1);
}

void Mesh::addTriangle(uint32_t a, uint32_t b, uint32_t c)
{
    const MeshVertex& va = vertices_[a];
    const MeshVertex& vb = vertices_[b];
    const MeshVertex& vc = vertices_[c];
    const glm::vec3 face = glm::cross(vb.position - va.position, vc.position - va.position);
    if (glm::dot(face, face) < 1e-14f)
        return;
    if (glm::dot(face, va.normal + vb.normal + vc.normal) < 0.0f)
        std::swap(b, c);
    indices_.insert(indices_.end(), { a, b, c });
}

void Mesh::addQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void Mesh::append(const Mesh& part, const glm::mat4& transform)
{
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(transform)));
    const uint32_t base = uint32_t(vertices_.size());
    for (const MeshVertex& v : part.vertices_)
        addVertex(glm::vec3(transform * glm::vec4(v.position, 1.0f)), normalMatrix * v.normal, v.uv);
    for (size_t i = 0; i + 2 < part.indices_.size(); i += 3)
        addTriangle(base + part.indices_[i], base + part.indices_[i + 1], base + part.indices_[i + 2]);
}

glm::vec3 Mesh::boundsMin() const
{
    glm::vec3 m(1e30f);
    for (const MeshVertex& v : vertices_)
        m = glm::min(m, v.position);
    return m;
}

glm::vec3 Mesh::boundsMax() const
{
    glm::vec3 m(-1e30f);
    for (const MeshVertex& v : vertices_)
        m = glm::max(m, v.position);
    return m;
}

BoxUv BoxUv::all(UvRect rect)
{
    BoxUv uv;
    for (UvRect& face : uv.faces)
        face = rect;
    return uv;
}

BoxUv BoxUv::withFront(UvRect rest, UvRect front)
{
    BoxUv uv = all(rest);
    uv.faces[2] = front;
    return uv;
}

Mesh box(glm::vec3 lo, glm::vec3 hi, const BoxUv& uv)
{
    // Corners of each face as seen from outside: bottom-left, bottom-right,
    // top-right, top-left.
    const glm::vec3 corners[6][4] = {
        { { lo.x, lo.y, lo.z }, { lo.x, lo.y, hi.z }, { lo.x, hi.y, hi.z }, { lo.x, hi.y, lo.z } },
        { { lo.x, lo.y, lo.z }, { hi.x, lo.y, lo.z }, { hi.x, lo.y, hi.z }, { lo.x, lo.y, hi.z } },
        { { hi.x, lo.y, lo.z }, { lo.x, lo.y, lo.z }, { lo.x, hi.y, lo.z }, { hi.x, hi.y, lo.z } },
        { { hi.x, lo.y, hi.z }, { hi.x, lo.y, lo.z }, { hi.x, hi.y, lo.z }, { hi.x, hi.y, hi.z } },
        { { lo.x, hi.y, hi.z }, { hi.x, hi.y, hi.z }, { hi.x, hi.y, lo.z }, { lo.x, hi.y, lo.z } },
        { { lo.x, lo.y, hi.z }, { hi.x, lo.y, hi.z }, { hi.x, hi.y, hi.z }, { lo.x, hi.y, hi.z } },
    };
    const glm::vec3 normals[6]
        = { { -1, 0, 0 }, { 0, -1, 0 }, { 0, 0, -1 }, { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } };
    const glm::vec2 st[4] = { { 0, 0 }, { 1, 0 }, { 1, 1 }, { 0, 1 } };
    Mesh mesh;
    for (int f = 0; f < 6; ++f) {
        uint32_t id[4];
        for (int k = 0; k < 4; ++k)
            id[k] = mesh.addVertex(corners[f][k], normals[f], uv.faces[f].at(st[k].x, st[k].y));
        mesh.addQuad(id[0], id[1], id[2], id[3]);
    }
    return mesh;
}

namespace {

// The outward normal, in the (radius, y) plane, of the band from p to q
// of a profile that runs from the bottom of the solid to its top.
glm::vec2 bandNormal(glm::vec2 p, glm::vec2 q)
{
    const glm::vec2 t = q - p;
    return glm::normalize(glm::vec2(t.y, -t.x));
}

glm::vec2 blendedNormal(glm::vec2 own, const glm::vec2* neighbour)
{
    if (neighbour && glm::dot(own, *neighbour) > kSmoothCos)
        return glm::normalize(own + *neighbour);
    return own;
}

} // namespace

Mesh lathe(const std::vector<glm::vec2>& profile, int segments, UvRect sideUv, UvRect capUv)
{
    Mesh mesh;
    const size_t bands = profile.size() < 2 ? 0 : profile.size() - 1;
    std::vector<bool> isCap(bands);
    std::vector<glm::vec2> normals(bands);
    float sideLength = 0.0f;
    for (size_t i = 0; i < bands; ++i) {
        isCap[i] = profile[i].y == profile[i + 1].y;
        normals[i] = bandNormal(profile[i], profile[i + 1]);
        if (!isCap[i])
            sideLength += glm::length(profile[i + 1] - profile[i]);
    }
    float along = 0.0f;
    for (size_t i = 0; i < bands; ++i) {
        const glm::vec2 p = profile[i];
        const glm::vec2 q = profile[i + 1];
        const float length = glm::length(q - p);
        glm::vec2 np = normals[i];
        glm::vec2 nq = normals[i];
        if (!isCap[i]) {
            np = blendedNormal(normals[i], i > 0 && !isCap[i - 1] ? &normals[i - 1] : nullptr);
            nq = blendedNormal(normals[i], i + 1 < bands && !isCap[i + 1] ? &normals[i + 1] : nullptr);
        }
        const float capRadius = std::max(std::max(p.x, q.x), 1e-6f);
        const float vp = isCap[i] ? p.x / capRadius : (sideLength > 0 ? along / sideLength : 0.0f);
        const float vq = isCap[i] ? q.x / capRadius : (sideLength > 0 ? (along + length) / sideLength : 1.0f);
        const UvRect& rect = isCap[i] ? capUv : sideUv;
        std::vector<uint32_t> ring;
        for (int k = 0; k <= segments; ++k) {
            const float angle = 2.0f * kPi * float(k % segments) / float(segments);
            const float c = std::cos(angle);
            const float s = std::sin(angle);
            const float u = float(k) / float(segments);
            ring.push_back(
                mesh.addVertex({ p.x * c, p.y, p.x * s }, { np.x * c, np.y, np.x * s }, rect.at(u, vp)));
            ring.push_back(
                mesh.addVertex({ q.x * c, q.y, q.x * s }, { nq.x * c, nq.y, nq.x * s }, rect.at(u, vq)));
        }
        for (int k = 0; k < segments; ++k)
            mesh.addQuad(ring[2 * k], ring[2 * k + 2], ring[2 * k + 3], ring[2 * k + 1]);
        if (!isCap[i])
            along += length;
    }
    return mesh;
}

Mesh tube(glm::vec3 a, glm::vec3 b, float ra, float rb, int segments, UvRect sideUv, UvRect capUv)
{
    const float length = glm::length(b - a);
    std::vector<glm::vec2> profile = { { 0.0f, 0.0f }, { ra, 0.0f } };
    if (rb > 0.0f)
        profile.push_back({ rb, length });
    profile.push_back({ 0.0f, length });
    const glm::vec3 axis = (b - a) / length;
    const glm::vec3 helper = std::abs(axis.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    const glm::vec3 e1 = glm::normalize(glm::cross(helper, axis));
    const glm::vec3 e2 = glm::cross(e1, axis);
    const glm::mat4 frame(glm::vec4(e1, 0), glm::vec4(axis, 0), glm::vec4(e2, 0), glm::vec4(a, 1));
    Mesh mesh;
    mesh.append(lathe(profile, segments, sideUv, capUv), frame);
    return mesh;
}

Mesh ellipsoid(glm::vec3 centre, glm::vec3 radii, int segments, int rings, UvRect uv)
{
    Mesh mesh;
    const glm::vec3 inverseSquare = 1.0f / (radii * radii);
    for (int j = 0; j <= rings; ++j) {
        const float lat = -0.5f * kPi + kPi * float(j) / float(rings);
        for (int k = 0; k <= segments; ++k) {
            const float lon = 2.0f * kPi * float(k % segments) / float(segments);
            const glm::vec3 unit(std::cos(lat) * std::cos(lon), std::sin(lat), std::cos(lat) * std::sin(lon));
            const glm::vec3 local = unit * radii;
            mesh.addVertex(centre + local, local * inverseSquare,
                uv.at(float(k) / float(segments), float(j) / float(rings)));
        }
    }
    const uint32_t row = uint32_t(segments + 1);
    for (int j = 0; j < rings; ++j)
        for (int k = 0; k < segments; ++k) {
            const uint32_t i = uint32_t(j) * row + uint32_t(k);
            mesh.addQuad(i, i + 1, i + row + 1, i + row);
        }
    return mesh;
}

Mesh frontEllipsoid(glm::vec3 centre, glm::vec3 radii, int segments, int rings, UvRect uv)
{
    // u = 0.5 starts on -x; a quarter turn about y brings it to -z.
    Mesh mesh;
    mesh.append(ellipsoid({}, { radii.z, radii.y, radii.x }, segments, rings, uv),
        translation(centre) * rotationY(-90.0f));
    return mesh;
}

Mesh ribbon(
    const std::vector<glm::vec2>& edgeA, const std::vector<glm::vec2>& edgeB, float thickness, UvRect uv)
{
    Mesh mesh;
    const size_t n = std::min(edgeA.size(), edgeB.size());
    if (n < 2)
        return mesh;
    std::vector<glm::vec2> loop(edgeA.begin(), edgeA.begin() + long(n));
    loop.insert(loop.end(), edgeB.rbegin() + long(edgeB.size() - n), edgeB.rend());
    glm::vec2 lo(1e30f), hi(-1e30f);
    float area = 0.0f;
    for (size_t i = 0; i < loop.size(); ++i) {
        lo = glm::min(lo, loop[i]);
        hi = glm::max(hi, loop[i]);
        const glm::vec2 p = loop[i];
        const glm::vec2 q = loop[(i + 1) % loop.size()];
        area += p.x * q.y - q.x * p.y;
    }
    const glm::vec2 extent = glm::max(hi - lo, glm::vec2(1e-6f));
    auto uvAt = [&](glm::vec2 p) { return uv.at((p.x - lo.x) / extent.x, (p.y - lo.y) / extent.y); };
    const float half = 0.5f * thickness;
    for (float side : { -1.0f, 1.0f }) {
        const glm::vec3 normal(0, 0, side);
        for (size_t i = 0; i + 1 < n; ++i) {
            const glm::vec2 quad[4] = { edgeA[i], edgeA[i + 1], edgeB[i + 1], edgeB[i] };
            uint32_t id[4];
            for (int k = 0; k < 4; ++k)
                id[k] = mesh.addVertex({ quad[k], side * half }, normal, uvAt(quad[k]));
            mesh.addQuad(id[0], id[1], id[2], id[3]);
        }
    }
    for (size_t i = 0; i < loop.size(); ++i) {
        const glm::vec2 p = loop[i];
        const glm::vec2 q = loop[(i + 1) % loop.size()];
        const glm::vec2 t = q - p;
        if (glm::dot(t, t) < 1e-12f)
            continue;
        const glm::vec2 out = glm::normalize(area > 0 ? glm::vec2(t.y, -t.x) : glm::vec2(-t.y, t.x));
        const glm::vec3 normal(out, 0.0f);
        const uint32_t a = mesh.addVertex({ p, -half }, normal, uvAt(p));
        const uint32_t b = mesh.addVertex({ q, -half }, normal, uvAt(q));
        const uint32_t c = mesh.addVertex({ q, half }, normal, uvAt(q));
        const uint32_t d = mesh.addVertex({ p, half }, normal, uvAt(p));
        mesh.addQuad(a, b, c, d);
    }
    return mesh;
}

glm::mat4 translation(glm::vec3 offset)
{
    return glm::translate(glm::mat4(1.0f), offset);
}
glm::mat4 rotationX(float degrees)
{
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), { 1, 0, 0 });
}
glm::mat4 rotationY(float degrees)
{
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), { 0, 1, 0 });
}
glm::mat4 rotationZ(float degrees)
{
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), { 0, 0, 1 });
}
glm::mat4 scaling(glm::vec3 factors)
{
    return glm::scale(glm::mat4(1.0f), factors);
}

namespace {

// Fixed four-decimal numbers keep the files small and identical on every
// run; a rounded negative zero is written as zero.
std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", double(value));
    std::string s(text);
    if (s == "-0.0000")
        s = "0.0000";
    return s;
}

// Hands out 1-based OBJ indices, listing each distinct line once.
class LineTable {
public:
    explicit LineTable(std::string prefix)
        : prefix_(std::move(prefix))
    {
    }
    int indexOf(const std::string& values)
    {
        auto [it, added] = indices_.try_emplace(values, int(indices_.size()) + 1);
        if (added)
            lines_ += prefix_ + values + "\n";
        return it->second;
    }
    const std::string& text() const { return lines_; }

private:
    std::string prefix_;
    std::map<std::string, int> indices_;
    std::string lines_;
};

} // namespace

std::string objText(const Mesh& mesh, const std::string& objectName)
{
    LineTable positions("v "), uvs("vt "), normals("vn ");
    std::string faces;
    const auto& vertices = mesh.vertices();
    const auto& indices = mesh.indices();
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        faces += "f";
        for (size_t k = 0; k < 3; ++k) {
            const MeshVertex& v = vertices[indices[i + k]];
            const glm::vec3 n = glm::normalize(v.normal);
            const int p = positions.indexOf(
                number(v.position.x) + " " + number(v.position.y) + " " + number(v.position.z));
            const int t = uvs.indexOf(number(v.uv.x) + " " + number(v.uv.y));
            const int m = normals.indexOf(number(n.x) + " " + number(n.y) + " " + number(n.z));
            faces += " " + std::to_string(p) + "/" + std::to_string(t) + "/" + std::to_string(m);
        }
        faces += "\n";
    }
    return "# Mossgrave model " + objectName + "\no " + objectName + "\n" + positions.text() + uvs.text()
        + normals.text() + "s 1\n" + faces;
}

bool writeObj(const std::filesystem::path& path, const Mesh& mesh, const std::string& objectName)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string text = objText(mesh, objectName);
    out.write(text.data(), std::streamsize(text.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "datagen: %s: could not be written\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace datagen
