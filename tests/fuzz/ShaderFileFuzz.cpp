// Feeds arbitrary bytes to the shader file reader and checks that every
// section it delivers keeps the file's line numbering.
#include "render/ShaderFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream err;
    int lastEnd = 0;
    ShaderReadResult result = readShaderSections(in, err, [&](const ShaderSection& section) {
        // The source spans exactly the file lines before its "##end".
        const long lines = std::count(section.source.begin(), section.source.end(), '\n');
        if (lines != section.endLine - 1 || section.endLine <= lastEnd)
            std::abort();
        lastEnd = section.endLine;
    });
    if ((result.errorLine != 0) != !err.str().empty())
        std::abort();
    if (result.errorLine != 0 && result.errorLine <= lastEnd)
        std::abort();
    return 0;
}
