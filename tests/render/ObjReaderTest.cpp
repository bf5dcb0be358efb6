#include "render/ObjReader.h"
#include "render/MeshTable.h"
#include "render/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

MeshData parse(const std::string& text, std::string* log = nullptr)
{
    std::istringstream in(text);
    std::ostringstream out;
    MeshData mesh = readObj(in, out);
    if (log)
        *log = out.str();
    return mesh;
}

const char* const QUAD = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                         "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                         "vn 0 0 1\nvn 0 0 -1\n";

} // namespace

TEST(ObjReaderTest, PolygonsBecomeFans)
{
    std::string log;
    MeshData quad = parse(std::string(QUAD) + "f 1/1/1 2/2/1 3/3/1 4/4/1\n", &log);
    EXPECT_EQ(log, "");
    ASSERT_EQ(quad.vertices.size(), 4u);
    EXPECT_EQ(quad.indices, (std::vector<uint32_t> { 0, 1, 2, 2, 3, 0 }));
    EXPECT_EQ(quad.vertices[2].position, glm::vec3(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(quad.vertices[2].texCoord, glm::vec2(1.0f, 1.0f));
    EXPECT_EQ(quad.vertices[2].normal, glm::vec3(0.0f, 0.0f, 1.0f));

    MeshData pentagon = parse("v 0 0 0\nv 1 0 0\nv 2 1 0\nv 1 2 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                              "f 1/1/1 2/1/1 3/1/1 4/1/1 5/1/1\n");
    EXPECT_EQ(pentagon.indices, (std::vector<uint32_t> { 0, 1, 2, 2, 3, 0, 3, 4, 0 }));
}

TEST(ObjReaderTest, CornersShareAVertexOnlyWhenAllEightFloatsMatch)
{
    // Two triangles over the same edge: the shared corners are reused. The
    // back face has the same positions with another normal: new vertices.
    MeshData mesh
        = parse(std::string(QUAD) + "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\nf 1/1/2 3/3/2 2/2/2\n");
    ASSERT_EQ(mesh.vertices.size(), 7u);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t> { 0, 1, 2, 0, 2, 3, 4, 5, 6 }));
    EXPECT_EQ(mesh.vertices[4].position, mesh.vertices[0].position);
    EXPECT_EQ(mesh.vertices[4].normal, glm::vec3(0.0f, 0.0f, -1.0f));

    // Equal values under different list indices are still one vertex.
    MeshData twins = parse("v 1 2 3\nv 1 2 3\nv 0 0 0\nvt 0 0\nvn 0 1 0\nf 1/1/1 2/1/1 3/1/1\n");
    EXPECT_EQ(twins.vertices.size(), 2u);
    EXPECT_EQ(twins.indices, (std::vector<uint32_t> { 0, 0, 1 }));
}

TEST(ObjReaderTest, CommentsObjectsAndSmoothingAreSkippedAndOtherWordsWarned)
{
    std::string log;
    MeshData mesh = parse("# made by hand   \n"
                          "#tight comment v 9 9 9\n"
                          "o Box with a long name\n"
                          "s off\n"
                          "mtllib box.mtl\n"
                          "v 0 0 0 1.0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                          "f 1/1/1 2/1/1 3/1/1   \r\n",
        &log);
    EXPECT_EQ(log, "warning unknown .obj command: mtllib\nwarning unknown .obj command: box.mtl\n");
    EXPECT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.indices.size(), 3u);
}

TEST(ObjReaderTest, FacesOutsideTheListsOrMalformedAreSkippedAndReadingGoesOn)
{
    const char* const bad[] = {
        "f 0/1/1 1/1/1 2/1/1", // indices count from 1
        "f -1/1/1 1/1/1 2/1/1", // relative indices are not part of the format
        "f 1/1/1 2/1/1 9/1/1", // beyond the positions read so far
        "f 1/2/1 2/1/1 3/1/1", // beyond the texture coordinates
        "f 1/1/3 2/1/1 3/1/1", // beyond the normals
        "f 1 2 3", // bare positions
        "f 1//1 2//1 3//1", // no texture coordinate
        "f 1/1/1 2/1/1 3/1/1x", // trailing junk
        "f 1/1/1 2/1/1", // not a polygon
        "f 99999999999/1/1 1/1/1 2/1/1", // too big for an int
    };
    for (const char* face : bad) {
        SCOPED_TRACE(face);
        std::string log;
        MeshData mesh = parse(
            std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n") + face + "\nf 1/1/1 2/1/1 3/1/1\n",
            &log);
        EXPECT_EQ(log, std::string("warning malformed .obj face skipped: ") + face + "\n");
        EXPECT_EQ(mesh.vertices.size(), 3u);
        EXPECT_EQ(mesh.indices, (std::vector<uint32_t> { 0, 1, 2 }));
    }

    // A face may only use what was read before it.
    std::string log;
    MeshData early = parse("v 0 0 0\nv 1 0 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\nv 0 1 0\n", &log);
    EXPECT_TRUE(early.indices.empty());
    EXPECT_NE(log.find("face skipped"), std::string::npos);
}

TEST(ObjReaderTest, MalformedNumbersDropTheirLineOnly)
{
    std::string log;
    MeshData mesh = parse("v 0 0 zero\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt one 0\nvt 0 0\nvn 0 0\nvn 0 0 1\n"
                          "f 1/1/1 2/1/1 3/1/1\n",
        &log);
    EXPECT_EQ(log,
        "warning malformed .obj v line skipped\nwarning malformed .obj vt line skipped\n"
        "warning malformed .obj vn line skipped\n");
    ASSERT_EQ(mesh.vertices.size(), 3u);
    EXPECT_EQ(mesh.vertices[0].position, glm::vec3(0.0f));
    EXPECT_EQ(mesh.vertices[0].normal, glm::vec3(0.0f, 0.0f, 1.0f));
}

TEST(ObjReaderTest, MissingFileGivesAnEmptyMeshAndAMessage)
{
    TempDir dir;
    std::ostringstream log;
    MeshData mesh = readObjFile((dir.path() / "models" / "nothing.obj").string(), log);
    EXPECT_TRUE(mesh.vertices.empty());
    EXPECT_TRUE(mesh.indices.empty());
    const std::string text = log.str();
    const std::string tail = "\nException opening/reading file\n";
    ASSERT_GT(text.size(), tail.size() + 1);
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(ObjReaderTest, ReadsEveryGeneratedMesh)
{
    const std::filesystem::path models = std::filesystem::path(MOSSGRAVE_RUN_DIR) / "models";
    for (const char* file : meshFiles) {
        SCOPED_TRACE(file);
        std::ostringstream log;
        const std::string path = (models.parent_path() / file).string();
        ASSERT_TRUE(std::filesystem::exists(path));
        MeshData mesh = readObjFile(path, log);
        EXPECT_EQ(log.str(), "");
        EXPECT_FALSE(mesh.vertices.empty());
        ASSERT_EQ(mesh.indices.size() % 3, 0u);
        for (uint32_t index : mesh.indices)
            ASSERT_LT(index, mesh.vertices.size());
    }
}
