// The shader file reader: sections, line-number padding and its messages.
#include "render/ShaderFile.h"
#include "TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace {

struct Read {
    std::vector<ShaderSection> sections;
    ShaderReadResult result;
    std::string errors;
};

Read readText(const std::string& text)
{
    Read read;
    std::istringstream in(text);
    std::ostringstream err;
    read.result = readShaderSections(in, err, [&](const ShaderSection& s) { read.sections.push_back(s); });
    read.errors = err.str();
    return read;
}

int lineOf(const std::string& source, const std::string& text)
{
    size_t at = source.find(text);
    if (at == std::string::npos)
        return -1;
    return 1 + int(std::count(source.begin(), source.begin() + long(at), '\n'));
}

} // namespace

TEST(ShaderFileTest, VertexAndFragmentSectionsKeepTheFileLineNumbers)
{
    Read read = readText("// notes before\n"
                         "##start\n"
                         "##vertex\n"
                         "void main() { vertex(); }\n"
                         "second vertex line\n"
                         "##end\n"
                         "between sections\n"
                         "##start\n"
                         "##fragment\n"
                         "void main() { fragment(); }\n"
                         "##end\n");
    ASSERT_EQ(read.sections.size(), 2u);
    EXPECT_EQ(read.result.sections, 2);
    EXPECT_EQ(read.result.errorLine, 0);
    EXPECT_TRUE(read.errors.empty());

    const ShaderSection& vertex = read.sections[0];
    EXPECT_EQ(vertex.stage, ShaderStage::Vertex);
    EXPECT_EQ(vertex.source, "\n\n\nvoid main() { vertex(); }\nsecond vertex line\n");
    EXPECT_EQ(vertex.endLine, 6);

    const ShaderSection& fragment = read.sections[1];
    EXPECT_EQ(fragment.stage, ShaderStage::Fragment);
    EXPECT_EQ(lineOf(fragment.source, "fragment()"), 10);
    EXPECT_EQ(fragment.source, std::string(9, '\n') + "void main() { fragment(); }\n");
    EXPECT_EQ(fragment.source.find("between"), std::string::npos);
    EXPECT_EQ(fragment.endLine, 11);
}

TEST(ShaderFileTest, GeometryStageAndTextAfterTheLastSection)
{
    Read read
        = readText("##start\n##geometry\nlayout(points) in;\n##end\ntrailing note\n##vertex is mentioned\n");
    ASSERT_EQ(read.sections.size(), 1u);
    EXPECT_EQ(read.sections[0].stage, ShaderStage::Geometry);
    EXPECT_EQ(lineOf(read.sections[0].source, "layout"), 3);
    EXPECT_TRUE(read.errors.empty());
}

TEST(ShaderFileTest, MarkersOutOfOrderStopReadingWithTheLineNumber)
{
    // A stage marker before any start: line 1, nothing delivered.
    Read early = readText("##vertex\nvoid main() {}\n##end\n");
    EXPECT_EQ(early.errors, "Shader-Loader: Error  in line 1\n");
    EXPECT_EQ(early.result.errorLine, 1);
    EXPECT_TRUE(early.sections.empty());

    // Two starts in a row stop at the second.
    Read twice = readText("note\n##start\n##start\n##vertex\nx\n##end\n");
    EXPECT_EQ(twice.errors, "Shader-Loader: Error  in line 3\n");
    EXPECT_TRUE(twice.sections.empty());

    // An end outside a stage, and a stage marker inside a stage.
    EXPECT_EQ(readText("##end\n").errors, "Shader-Loader: Error  in line 1\n");
    EXPECT_EQ(readText("##start\n##end\n").errors, "Shader-Loader: Error  in line 2\n");
    EXPECT_EQ(readText("##start\n##vertex\n##fragment\n").errors, "Shader-Loader: Error  in line 3\n");
}

TEST(ShaderFileTest, SectionsBeforeAnErrorStayDelivered)
{
    Read read = readText(
        "##start\n##vertex\nv\n##end\n##start\n##vertex\nv2\n##start\n##start\n##fragment\nf\n##end\n");
    ASSERT_EQ(read.sections.size(), 1u);
    EXPECT_EQ(read.result.errorLine, 8);
    EXPECT_EQ(read.errors, "Shader-Loader: Error  in line 8\n");
}

TEST(ShaderFileTest, MarkersMustBeTheWholeLine)
{
    // Indented or annotated markers are plain text: inside a stage they are
    // source, outside they are notes.
    Read read = readText(" ##start\n##start\n##vertex\n  ##end\n##end \n##end\n");
    ASSERT_EQ(read.sections.size(), 1u);
    EXPECT_EQ(read.sections[0].source, "\n\n\n  ##end\n##end \n");
    EXPECT_TRUE(read.errors.empty());
}

TEST(ShaderFileTest, UnfinishedSectionIsNotDelivered)
{
    Read read = readText("##start\n##vertex\nvoid main() {}\n");
    EXPECT_TRUE(read.sections.empty());
    EXPECT_TRUE(read.errors.empty());
    EXPECT_TRUE(readText("").sections.empty());
}

TEST(ShaderFileTest, LongLinesAndCrlfLineEnds)
{
    const std::string max(255, 'a');
    const std::string longer(1000, 'b');
    Read read = readText("##start\r\n##vertex\r\n" + max + "\r\n" + longer + "\r\nlast\r\n##end\r\n");
    ASSERT_EQ(read.sections.size(), 1u);
    EXPECT_EQ(read.sections[0].source, "\n\n" + max + "\n" + longer + "\nlast\n");
}

TEST(ShaderFileTest, FileMessages)
{
    TempDir dir;
    std::string path = dir.write("shader/test.glsl", "##start\n##vertex\nv\n##end\n");
    std::ostringstream out, err;
    int delivered = 0;
    ShaderReadResult result;
    EXPECT_TRUE(readShaderFile(
        path, out, err, [&](const ShaderSection&) { ++delivered; }, &result));
    EXPECT_EQ(out.str(), "Shader-Loader: Reading file " + path + "\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(result.sections, 1);

    std::ostringstream out2, err2;
    std::string missing = (dir.path() / "missing.glsl").string();
    EXPECT_FALSE(readShaderFile(missing, out2, err2, [&](const ShaderSection&) { ++delivered; }));
    EXPECT_EQ(out2.str(), "Shader-Loader: Reading file " + missing + "\n");
    EXPECT_EQ(err2.str(), "Could not read file " + missing + ". File does not exist.\n");
    EXPECT_EQ(delivered, 1);
}
