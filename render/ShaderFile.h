#pragma once

#include <functional>
#include <iosfwd>
#include <string>

// A shader file keeps every stage of one GLSL program between marker lines:
//
//   ##start
//   ##vertex            (or ##fragment, ##geometry)
//   ...GLSL source...
//   ##end
//
// Lines outside sections are notes and are skipped. The reader needs no GL
// context: it hands each finished section to a callback, which compiles it.

enum class ShaderStage { Vertex, Fragment, Geometry };

// The name compile failures report for a stage, e.g. "Vertex Shader".
const char* shaderStageName(ShaderStage stage);

// One stage's source, padded at the front with one empty line per file line
// before its first source line, so compiler messages name the file's lines.
struct ShaderSection {
    ShaderStage stage = ShaderStage::Vertex;
    std::string source;
    int endLine = 0; // file line of the section's "##end"
};

struct ShaderReadResult {
    int sections = 0; // sections handed to the callback
    int errorLine = 0; // line of the first out-of-order marker, 0 when none
};

using ShaderSectionSink = std::function<void(const ShaderSection&)>;

// Reads marker-delimited sections from `in`, calling `onSection` as each
// "##end" is reached. A marker out of order writes the error line to `err`
// and stops reading; sections already delivered stay delivered. A trailing
// carriage return is dropped from every line so files saved with CRLF work.
// Lines of any length are read whole.
ShaderReadResult readShaderSections(std::istream& in, std::ostream& err, const ShaderSectionSink& onSection);

// Writes the progress line to `out`, opens `path` and reads its sections.
// Returns false, after writing the missing-file line to `err`, when the file
// cannot be opened.
bool readShaderFile(const std::string& path, std::ostream& out, std::ostream& err,
    const ShaderSectionSink& onSection, ShaderReadResult* result = nullptr);
