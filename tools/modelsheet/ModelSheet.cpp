#include "tools/modelsheet/ModelSheet.h"

#include "render/FrameState.h"
#include "render/Model.h"
#include "render/ShaderTable.h"
#include "render/TextureTable.h"
#include "tools/datagen/CairoCanvas.h"

#include <GL/glew.h>
#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <sstream>

namespace modelsheet {

// Read off the places that build these models: Death.cpp (scythe and body
// parts), Cat.cpp, Grenade.cpp, Cage.cpp, Flashlight.cpp (lamp and hand),
// FlyingFish.cpp, Bonfire.cpp, Jetpack.cpp (pack and gloves), Sign.cpp,
// StaticDynamite.cpp (pack, machine and handle), Ball.cpp and Potion.cpp.
// Nothing in the game draws the player mesh; the data generator paints it
// with the player texture.
const int meshTexture[MESH_COUNT] = {
    TEXTURE_PLAYER, // player.obj
    // Death's scythe, arms, head and body
    TEXTURE_DEATH, TEXTURE_DEATH, TEXTURE_DEATH, TEXTURE_DEATH, TEXTURE_DEATH,
    // the cat's head, body, leg and tail
    TEXTURE_CAT, TEXTURE_CAT, TEXTURE_CAT, TEXTURE_CAT,
    TEXTURE_DYNAMITE, // dynamite.obj
    TEXTURE_CAGE, // cage.obj
    TEXTURE_FLASHLIGHT, // flashlight.obj
    TEXTURE_GLOVES, // flashlight_hand.obj
    TEXTURE_FISH, // fish.obj
    TEXTURE_LOGS, // bonfire.obj
    TEXTURE_JETPACK, // jetpack.obj
    TEXTURE_GLOVES, // jetpack_hand.obj
    TEXTURE_SIGN_PYRAMID, // sign.obj
    TEXTURE_DYNAMITE, // dynamite_pack.obj
    TEXTURE_BLASTING_MACHINE, TEXTURE_BLASTING_MACHINE, // blasting machine and its handle
    TEXTURE_WOOL, // ball.obj
    TEXTURE_POTION, TEXTURE_POTION, // potion bottle and cork
};

namespace {

constexpr float kFieldOfView = 30.0f; // degrees; narrow, so boxes don't splay
constexpr float kFill = 0.88f; // share of the tile the longer side of the box takes
// Where the camera stands, seen from the mesh: front right (the meshes face
// -z), above.
constexpr float kAzimuth = 35.0f;
constexpr float kElevation = 25.0f;

std::string fileName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<glm::vec3> corners(const Bounds& b)
{
    std::vector<glm::vec3> c;
    for (int i = 0; i < 8; ++i)
        c.push_back({ i & 1 ? b.hi.x : b.lo.x, i & 2 ? b.hi.y : b.lo.y, i & 4 ? b.hi.z : b.lo.z });
    return c;
}

// A colour target and depth buffer of one tile, drawn at the supersampled size.
class TileTarget {
public:
    explicit TileTarget(int size)
        : side(size)
    {
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(2, buffers);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size, size);
        glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size, size);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    ~TileTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, buffers);
        glDeleteFramebuffers(1, &framebuffer);
    }
    TileTarget(const TileTarget&) = delete;
    TileTarget& operator=(const TileTarget&) = delete;

    bool ok() const { return complete; }

    void begin() const
    {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, side, side);
        glClearColor(BACKGROUND[0] / 255.0f, BACKGROUND[1] / 255.0f, BACKGROUND[2] / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // The picture averaged down by SUPERSAMPLE, top row first.
    datagen::Image read() const
    {
        std::vector<uint8_t> rgba(size_t(side) * size_t(side) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        const int out = side / SUPERSAMPLE;
        datagen::Image image(out, out, 3);
        for (int y = 0; y < out; ++y) {
            for (int x = 0; x < out; ++x) {
                int sum[3] = { 0, 0, 0 };
                for (int sy = 0; sy < SUPERSAMPLE; ++sy) {
                    for (int sx = 0; sx < SUPERSAMPLE; ++sx) {
                        // GL's rows start at the bottom.
                        const int gy = side - 1 - (y * SUPERSAMPLE + sy);
                        const uint8_t* p = &rgba[(size_t(gy) * size_t(side) + size_t(x * SUPERSAMPLE + sx)) * 4];
                        for (int c = 0; c < 3; ++c)
                            sum[c] += p[c];
                    }
                }
                uint8_t* q = image.at(x, y);
                for (int c = 0; c < 3; ++c)
                    q[c] = uint8_t((sum[c] + SUPERSAMPLE * SUPERSAMPLE / 2) / (SUPERSAMPLE * SUPERSAMPLE));
            }
        }
        return image;
    }

private:
    int side;
    GLuint framebuffer = 0;
    GLuint buffers[2] = { 0, 0 };
    bool complete = false;
};

// The frame's lights for a studio picture: daylight fill and the flashlight
// lamp as key light. The shadow lookup is sent off the map (with "outside
// lit"), so the lamp lights everything it faces without a shadow pass, and
// the bonfire's light is put out.
FrameState studioFrame(const Framing& framing)
{
    FrameState frame;
    frame.viewMatrix = framing.view;
    frame.projMatrix = framing.projection;
    frame.projViewMatrix = framing.projection * framing.view;
    frame.flashlightEye = framing.lamp;
    // Aimed at the model with a cone wide enough to take all of it in.
    frame.flashlightDir = glm::normalize(framing.lamp - framing.centre);
    frame.flashlightFov = 120.0f;
    frame.sunColor = glm::vec4(1.0f);
    frame.lightIsSun = true;
    glm::mat4 offMap(0.0f);
    offMap[3] = glm::vec4(2.0f, 2.0f, 0.0f, 1.0f);
    frame.lightDepthBias = offMap;
    frame.flashlightDepthBias = offMap;
    frame.firePosition = glm::vec3(1e6f);
    frame.fireNoise = 0.0f;
    frame.night = 0.0f;
    frame.lightningActive = false;
    frame.flashLightIntensity = 0.45f;
    return frame;
}

} // namespace

Bounds meshBounds(const MeshData& mesh)
{
    Bounds b;
    for (uint32_t index : mesh.indices) {
        if (index >= mesh.vertices.size())
            continue;
        const glm::vec3& p = mesh.vertices[index].position;
        if (b.empty) {
            b.lo = b.hi = p;
            b.empty = false;
        } else {
            b.lo = glm::min(b.lo, p);
            b.hi = glm::max(b.hi, p);
        }
    }
    return b;
}

Framing frameBounds(const Bounds& bounds)
{
    const glm::vec3 centre = 0.5f * (bounds.lo + bounds.hi);
    // A point or a flat box still needs a camera distance.
    const float radius = std::max(0.5f * glm::length(bounds.hi - bounds.lo), 1e-3f);
    const float az = glm::radians(kAzimuth), el = glm::radians(kElevation);
    const glm::vec3 toEye(std::sin(az) * std::cos(el), std::sin(el), -std::cos(az) * std::cos(el));
    const float halfFov = glm::radians(kFieldOfView) * 0.5f;
    // Far enough that the sphere around the box fits: no corner comes near
    // the eye, and the depth range below holds all of it.
    const float distance = radius / std::sin(halfFov);

    Framing f;
    f.eye = centre + toEye * distance;
    f.view = glm::lookAt(f.eye, centre, glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat4 lens
        = glm::perspective(2.0f * halfFov, 1.0f, std::max(distance - 1.5f * radius, 0.01f * distance),
            distance + 1.5f * radius);

    // The sphere overshoots most boxes; widen the picture of the box itself
    // to kFill of the tile and centre it. Scaling and shifting in clip space
    // (x' = s (x - m w)) leaves depth alone.
    glm::vec2 lo(1e30f), hi(-1e30f);
    for (const glm::vec3& c : corners(bounds)) {
        const glm::vec4 clip = lens * f.view * glm::vec4(c, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        lo = glm::min(lo, ndc);
        hi = glm::max(hi, ndc);
    }
    const glm::vec2 mid = 0.5f * (lo + hi);
    // A box that shrinks to a point or a line seen end-on keeps the size its
    // sphere gives it, instead of blowing up rounding noise.
    const float span = std::max(std::max(hi.x - lo.x, hi.y - lo.y), 0.1f);
    const float s = 2.0f * kFill / span;
    glm::mat4 fit(1.0f);
    fit[0][0] = s;
    fit[1][1] = s;
    fit[3][0] = -s * mid.x;
    fit[3][1] = -s * mid.y;
    f.projection = fit * lens;

    // The key light stands above and to the left of the camera, so the top
    // and the front of a model are lit unevenly and its edges read.
    const glm::vec3 right = glm::normalize(glm::cross(-toEye, glm::vec3(0.0f, 1.0f, 0.0f)));
    f.lamp = centre + glm::normalize(toEye - 0.6f * right + glm::vec3(0.0f, 0.8f, 0.0f)) * distance;
    f.centre = centre;
    return f;
}

std::vector<std::string> missingFiles(const std::filesystem::path& runDir)
{
    std::vector<std::string> missing;
    auto need = [&](const std::string& file) {
        if (!std::filesystem::is_regular_file(runDir / file)
            && std::find(missing.begin(), missing.end(), file) == missing.end())
            missing.push_back(file);
    };
    need(shaderFiles[SHADER_MODEL]);
    for (int i = 0; i < MESH_COUNT; ++i) {
        need(meshFiles[i]);
        need(modelTexturePaths[meshTexture[i]]);
    }
    return missing;
}

bool readBounds(std::vector<Bounds>& bounds, std::string& error)
{
    bounds.assign(MESH_COUNT, Bounds {});
    for (int i = 0; i < MESH_COUNT; ++i) {
        std::ostringstream log;
        bounds[size_t(i)] = meshBounds(readObjFile(meshFiles[i], log));
        if (bounds[size_t(i)].empty) {
            error = std::string("mesh ") + meshFiles[i] + " has no triangles";
            if (!log.str().empty())
                error += "\n" + log.str();
            return false;
        }
    }
    return true;
}

bool renderTiles(const std::vector<Bounds>& bounds, std::vector<datagen::Image>& tiles, std::string& error)
{
    if (bounds.size() != size_t(MESH_COUNT)) {
        error = "no bounds for the meshes";
        return false;
    }
    loadShaders();
    if (getShader(SHADER_MODEL)->program == 0) {
        error = std::string("the model shader ") + shaderFiles[SHADER_MODEL] + " did not compile or link";
        return false;
    }
    // The game's table loads every model texture; one the sheet doesn't show
    // must be there too, which missingFiles doesn't check.
    if (!loadModelTextures()) {
        error = "a model texture could not be loaded (see the Texture Loader line above)";
        return false;
    }
    loadMeshes();

    const TileTarget target(TILE * SUPERSAMPLE);
    if (!target.ok()) {
        error = "the tile framebuffer is incomplete";
        return false;
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);

    tiles.clear();
    for (int i = 0; i < MESH_COUNT; ++i) {
        const FrameState frame = studioFrame(frameBounds(bounds[size_t(i)]));
        target.begin();
        Model model(i, meshTexture[i], SHADER_MODEL, false);
        model.updateNormalMatrix(frame.viewMatrix);
        model.draw(frame);
        tiles.push_back(target.read());
    }
    freeMeshes();
    freeTextures();
    freeShaders();
    const GLenum status = glGetError();
    if (status != GL_NO_ERROR) {
        std::ostringstream text;
        text << "GL error 0x" << std::hex << status << " while drawing the tiles";
        error = text.str();
        return false;
    }
    return true;
}

datagen::Image composeSheet(const std::vector<datagen::Image>& tiles)
{
    datagen::Image sheet;
    {
        datagen::CairoCanvas canvas(SHEET_WIDTH, SHEET_HEIGHT);
        canvas.setColour(datagen::hexRgb(uint32_t(BACKGROUND[0]) << 16 | uint32_t(BACKGROUND[1]) << 8 | BACKGROUND[2]));
        cairo_paint(canvas.cr());
        canvas.setFont(13);
        for (size_t i = 0; i < tiles.size() && i < size_t(MESH_COUNT); ++i) {
            const int x = tileX(int(i)), y = tileY(int(i));
            canvas.paste(tiles[i], x, y, 1.0);
            const std::string name = fileName(meshFiles[i]);
            canvas.setColour(datagen::hexRgb(0xe6e6e6));
            cairo_move_to(canvas.cr(), x + 0.5 * (TILE - canvas.textWidth(name)), y + TILE + LABEL - 6);
            cairo_show_text(canvas.cr(), name.c_str());
        }
        sheet = canvas.toRgb();
    }
    // Only with no canvas left alive.
    datagen::releaseFontCaches();
    return sheet;
}

} // namespace modelsheet
