#include "render/MeshTable.h"

#include "base/Log.h"
#include "render/VertexArray.h"

#include <vector>

const char* const meshFiles[MESH_COUNT] = {
    "models/player.obj",
    "models/death_scythe.obj",
    "models/death_left_arm.obj",
    "models/death_right_arm.obj",
    "models/death_head.obj",
    "models/death_body.obj",
    "models/cat_head.obj",
    "models/cat_body.obj",
    "models/cat_leg.obj",
    "models/cat_tail.obj",
    "models/dynamite.obj",
    "models/cage.obj",
    "models/flashlight.obj",
    "models/flashlight_hand.obj",
    "models/fish.obj",
    "models/bonfire.obj",
    "models/jetpack.obj",
    "models/jetpack_hand.obj",
    "models/sign.obj",
    "models/dynamite_pack.obj",
    "models/blasting_machine.obj",
    "models/blasting_machine_handle.obj",
    "models/ball.obj",
    "models/potion_bottle.obj",
    "models/potion_cork.obj",
};

namespace {

std::vector<std::unique_ptr<VertexArray>>& meshTable()
{
    static std::vector<std::unique_ptr<VertexArray>> table;
    return table;
}

} // namespace

std::unique_ptr<VertexArray> uploadMesh(const MeshData& mesh)
{
    auto array = std::make_unique<VertexArray>(1, GL_TRIANGLES);
    if (mesh.indices.empty())
        return array;
    const GLsizei stride = sizeof(MeshVertex);
    const int buffer = array->addBuffer(mesh.vertices.data(), mesh.vertices.size() * sizeof(MeshVertex), 3);
    array->setAttribute(buffer, 0, VertexAttribute { 0, 3, GL_FLOAT, GL_FALSE, stride, 0 });
    array->setAttribute(buffer, 1, VertexAttribute { 1, 3, GL_FLOAT, GL_FALSE, stride, 12 });
    array->setAttribute(buffer, 2, VertexAttribute { 2, 2, GL_FLOAT, GL_FALSE, stride, 24 });
    array->setIndices(mesh.indices.data(), mesh.indices.size() * sizeof(uint32_t));
    return array;
}

std::unique_ptr<VertexArray> loadObj(const std::string& path)
{
    return uploadMesh(readObjFile(path, logStream()));
}

void loadMeshes()
{
    auto& table = meshTable();
    table.clear();
    table.resize(MESH_COUNT);
    for (int i = 0; i < MESH_COUNT; ++i) {
        logText(joinText("Mesh Loader: Loading Mesh ", i, " ", meshFiles[i], "\n"));
        table[size_t(i)] = loadObj(meshFiles[i]);
    }
}

VertexArray* getMesh(int index)
{
    auto& table = meshTable();
    if (index < 0 || size_t(index) >= table.size())
        return nullptr;
    return table[size_t(index)].get();
}

void freeMeshes()
{
    meshTable().clear();
}
