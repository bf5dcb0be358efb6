#include "render/ObjReader.h"

#include <charconv>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>
#include <string_view>

namespace {

struct Corner {
    int position = 0;
    int texCoord = 0;
    int normal = 0;
};

// Collects positions, texture coordinates and normals, and turns face
// corners into de-duplicated vertices.
class ObjBuilder {
public:
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> texCoords;
    std::vector<glm::vec3> normals;
    MeshData mesh;

    // Returns false (and adds nothing) when any corner is malformed or
    // refers outside the lists read so far.
    bool addFace(const std::string& line);

private:
    bool parseCorner(std::string_view word, Corner& corner) const;
    uint32_t vertexIndex(const Corner& corner);
};

bool parseInt(std::string_view& text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc())
        return false;
    text.remove_prefix(size_t(end - text.data()));
    return true;
}

bool expectSlash(std::string_view& text)
{
    if (text.empty() || text.front() != '/')
        return false;
    text.remove_prefix(1);
    return true;
}

bool inRange(int index, size_t count)
{
    return index >= 1 && size_t(index) <= count;
}

bool ObjBuilder::parseCorner(std::string_view word, Corner& corner) const
{
    if (!parseInt(word, corner.position) || !expectSlash(word) || !parseInt(word, corner.texCoord)
        || !expectSlash(word) || !parseInt(word, corner.normal) || !word.empty())
        return false;
    return inRange(corner.position, positions.size()) && inRange(corner.texCoord, texCoords.size())
        && inRange(corner.normal, normals.size());
}

uint32_t ObjBuilder::vertexIndex(const Corner& corner)
{
    MeshVertex v;
    v.position = positions[size_t(corner.position - 1)];
    v.normal = normals[size_t(corner.normal - 1)];
    v.texCoord = texCoords[size_t(corner.texCoord - 1)];
    // Exact comparison of all eight floats; the meshes are small and this runs once.
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const MeshVertex& u = mesh.vertices[i];
        if (u.position == v.position && u.normal == v.normal && u.texCoord == v.texCoord)
            return uint32_t(i);
    }
    mesh.vertices.push_back(v);
    return uint32_t(mesh.vertices.size() - 1);
}

bool ObjBuilder::addFace(const std::string& line)
{
    std::istringstream words(line);
    std::vector<Corner> corners;
    std::string word;
    while (words >> word) {
        Corner corner;
        if (!parseCorner(word, corner))
            return false;
        corners.push_back(corner);
    }
    if (corners.size() < 3)
        return false;
    std::vector<uint32_t> ids;
    ids.reserve(corners.size());
    for (const Corner& corner : corners)
        ids.push_back(vertexIndex(corner));
    // A fan: (0 1 2), then (k-1, k, 0) for every further corner k.
    mesh.indices.insert(mesh.indices.end(), { ids[0], ids[1], ids[2] });
    for (size_t k = 3; k < ids.size(); ++k)
        mesh.indices.insert(mesh.indices.end(), { ids[k - 1], ids[k], ids[0] });
    return true;
}

void skipLine(std::istream& in)
{
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// Reads the first `count` floats of the rest of a "v", "vt" or "vn" line;
// anything after them (an optional w) is ignored.
bool readFloats(std::istream& in, float* values, int count)
{
    std::string line;
    std::getline(in, line);
    std::istringstream numbers(line);
    for (int i = 0; i < count; ++i) {
        if (!(numbers >> values[i]))
            return false;
    }
    return true;
}

} // namespace

MeshData readObj(std::istream& in, std::ostream& log)
{
    ObjBuilder builder;
    std::string word;
    while (in >> word) {
        if (word[0] == '#' || word == "o") {
            skipLine(in);
        } else if (word == "s") {
            in >> word;
        } else if (word == "v" || word == "vn") {
            glm::vec3 value;
            if (!readFloats(in, &value.x, 3))
                log << "warning malformed .obj " << word << " line skipped" << std::endl;
            else
                (word == "v" ? builder.positions : builder.normals).push_back(value);
        } else if (word == "vt") {
            glm::vec2 value;
            if (!readFloats(in, &value.x, 2))
                log << "warning malformed .obj vt line skipped" << std::endl;
            else
                builder.texCoords.push_back(value);
        } else if (word == "f") {
            std::string line;
            std::getline(in, line);
            if (!builder.addFace(line))
                log << "warning malformed .obj face skipped: f" << line << std::endl;
        } else {
            log << "warning unknown .obj command: " << word << std::endl;
        }
    }
    return std::move(builder.mesh);
}

MeshData readObjFile(const std::string& path, std::ostream& log)
{
    std::ifstream file;
    file.exceptions(std::ifstream::failbit | std::ifstream::badbit);
    try {
        file.open(path);
    } catch (const std::ios_base::failure& failure) {
        log << failure.what() << std::endl;
        log << "Exception opening/reading file\n";
        return {};
    }
    // Reading ends at the end of the file; that failure is not an error.
    file.exceptions(std::ifstream::goodbit);
    return readObj(file, log);
}
