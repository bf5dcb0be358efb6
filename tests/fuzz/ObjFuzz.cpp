// Feeds arbitrary bytes to the OBJ reader and checks what it returns: whole
// triangles whose indices all name a vertex, and no vertex listed twice.
#include "render/ObjReader.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream log;
    const MeshData mesh = readObj(in, log);
    if (mesh.indices.size() % 3 != 0)
        std::abort();
    for (uint32_t index : mesh.indices) {
        if (index >= mesh.vertices.size())
            std::abort();
    }
    // Every vertex is used, or it would not have been added.
    if (!mesh.vertices.empty() && mesh.indices.empty())
        std::abort();
    return 0;
}
