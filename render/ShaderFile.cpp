#include "render/ShaderFile.h"

#include <fstream>
#include <istream>
#include <ostream>

namespace {

enum ReadState { OUTSIDE = 0, AFTER_START = 1, IN_STAGE = 2, BROKEN = 3 };

bool stageMarker(const std::string& line, ShaderStage& stage)
{
    if (line == "##vertex")
        stage = ShaderStage::Vertex;
    else if (line == "##fragment")
        stage = ShaderStage::Fragment;
    else if (line == "##geometry")
        stage = ShaderStage::Geometry;
    else
        return false;
    return true;
}

} // namespace

const char* shaderStageName(ShaderStage stage)
{
    switch (stage) {
    case ShaderStage::Vertex:
        return "Vertex Shader";
    case ShaderStage::Fragment:
        return "Fragment Shader";
    case ShaderStage::Geometry:
        return "Geometry Shader";
    }
    return "";
}

ShaderReadResult readShaderSections(std::istream& in, std::ostream& err, const ShaderSectionSink& onSection)
{
    ShaderReadResult result;
    ReadState state = OUTSIDE;
    ShaderSection section;
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ShaderStage stage;
        if (line == "##start") {
            state = state == OUTSIDE ? AFTER_START : BROKEN;
        } else if (stageMarker(line, stage)) {
            state = state == AFTER_START ? IN_STAGE : BROKEN;
            section.stage = stage;
        } else if (line == "##end") {
            if (state != IN_STAGE) {
                state = BROKEN;
            } else {
                section.endLine = n;
                if (onSection)
                    onSection(section);
                ++result.sections;
                // Every file line so far becomes an empty line of the next
                // section's source; this line's own feed is appended below.
                section.source.assign(size_t(n - 1), '\n');
                state = OUTSIDE;
            }
        } else if (state == IN_STAGE) {
            section.source += line;
        }
        if (state == BROKEN) {
            err << "Shader-Loader: Error "
                << " in line " << n << "\n";
            result.errorLine = n;
            break;
        }
        section.source += '\n';
    }
    return result;
}

bool readShaderFile(const std::string& path, std::ostream& out, std::ostream& err,
    const ShaderSectionSink& onSection, ShaderReadResult* result)
{
    out << "Shader-Loader: Reading file " << path << "\n";
    std::ifstream file(path);
    if (!file) {
        err << "Could not read file " << path << ". File does not exist." << std::endl;
        return false;
    }
    ShaderReadResult read = readShaderSections(file, err, onSection);
    if (result)
        *result = read;
    return true;
}
