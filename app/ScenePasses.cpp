#include "app/ScenePasses.h"

#include "app/FrameStats.h"
#include "app/Game.h"
#include "app/Timers.h"
#include "base/Settings.h"
#include "base/SimplexNoise.h"
#include "gameplay/Death.h"
#include "gameplay/Player.h"
#include "gui/Gui.h"
#include "render/BlockTextureArray.h"
#include "render/Camera.h"
#include "render/Fire.h"
#include "render/FogHorizon.h"
#include "render/Flashlight.h"
#include "render/FrameState.h"
#include "render/Framebuffers.h"
#include "render/Lightning.h"
#include "render/ParticleSystem.h"
#include "render/PassTimer.h"
#include "render/Shader.h"
#include "render/ShaderTable.h"
#include "render/ShadowCamera.h"
#include "render/Sky.h"
#include "render/TerrainMesh.h"
#include "render/Texture.h"
#include "render/VertexArray.h"
#include "world/Chunk.h"
#include "world/Octree.h"
#include "world/World.h"

#include <GL/glew.h>
#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/trigonometric.hpp>
#include <glm/vec4.hpp>

namespace {

constexpr int SHADOW_MAP_UNIT = 5;
constexpr int SHADOW_DEPTHS_UNIT = 6; // the same map, its depths read as they are


void setMat4(GLint location, const glm::mat4& m)
{
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(m));
}

glm::vec3 eyeOf(const Camera& camera)
{
    return glm::vec3(camera.world[3]);
}

void fillFrameState(Game& game, const ShadowCamera& light)
{
    game.scene.frame.normalMatrix = game.session.player->normalMatrix();
    game.scene.frame.flashlightEye = eyeOf(*game.scene.flashlight->shadow.camera);
    game.scene.frame.flashlightDir = glm::vec3(game.scene.flashlight->shadow.camera->world[2]);
    game.scene.frame.flashlightFov = game.scene.flashlight->fov;
    game.scene.frame.sunColor = game.scene.sunCamera ? game.scene.sunCamera->color : glm::vec4(1.0f);
    game.scene.frame.lightIsSun = light.isSun;
    game.scene.frame.lightDepthBias = light.depthBias;
    game.scene.frame.flashlightDepthBias = game.scene.flashlight->shadow.depthBias;
    game.scene.frame.firePosition = game.scene.fire->position;
    game.scene.frame.fireNoise = fireNoiseAt(game.session.gameTime);
    game.scene.frame.night = game.session.night ? 1.0f : 0.0f;
    game.scene.frame.lightningActive = game.scene.lightning->isActive();
    game.scene.frame.flashLightIntensity = game.scene.flashlight->intensity;
    // Sprites and particles are sized in the pixels of the scene they are drawn into.
    game.scene.frame.screenWidth = game.scene.framebuffers.width;
    game.scene.frame.screenHeight = game.scene.framebuffers.height;
}

// On a software renderer the nearest terrain is drawn first and its depth read back; what lies
// behind it is never sent. A graphics card rejects hidden pixels for less than the wait costs.
// Since the quads of a node are tested one by one, an earlier read leaves out more than it
// costs; much nearer, too little is drawn yet to hide anything.
constexpr float OCCLUDER_DISTANCE = 56.0f;

// Which record of the quads shown last frame each pass keeps.
constexpr int WORLD_QUADS_SHOWN = 0;
constexpr int SHADOW_QUADS_SHOWN = 1;

void testOcclusion(Game& game, TerrainViewParams& params, GLuint framebuffer, int width, int height, int shownPass)
{
    if (!game.scene.softwareRenderer)
        return;
    params.occluderDistance = OCCLUDER_DISTANCE;
    params.shownPass = shownPass;
    // The frame with every node drawn reads nothing and leaves nothing out, but it draws in the
    // order of the frames that do: where two faces in one plane meet, the one drawn first keeps
    // the pixels both cover, and the same one must be first.
    if (params.everything)
        return;
    params.readDepth = [&game, framebuffer, width, height]() -> const DepthTiles* {
        return game.scene.occluders.read(framebuffer, width, height) ? &game.scene.occluders : nullptr;
    };
}

// A view that has not changed since the frame before, over the same choice of terrain, gives
// the same depth: its second frame reads all of it once the terrain is drawn, and the frames
// after test every node against that and wait on no read.
void reuseTerrainDepth(Game& game, TerrainViewParams& params, const TerrainCullResult& chosen)
{
    if (!params.readDepth)
        return;
    const Framebuffers& fb = game.scene.framebuffers;
    TerrainDepthKey key = terrainDepthKeyOf(*game.scene.playerCamera, 0.0f, fb.serial, chosen);
    if (key == game.scene.terrainDepthHolds) {
        params.knownDepth = &game.scene.terrainDepth;
    } else if (key == game.scene.lastWorldView) {
        params.afterShaded = [&game, key, framebuffer = fb.sceneFramebuffer, w = fb.width, h = fb.height]() {
            if (game.scene.terrainDepth.read(framebuffer, w, h))
                game.scene.terrainDepthHolds = key;
        };
    }
    game.scene.lastWorldView = std::move(key);
}

// What bounds the world shader's light this frame: the values worldPass sends it.
SceneLight sceneLightOf(const Game& game, const ShadowCamera& light)
{
    SceneLight l;
    l.night = game.session.night;
    l.rain = game.session.weather.rain;
    l.fogFactor = game.session.fogFactor;
    l.lightning = game.scene.lightning->isActive();
    l.lightningFactor = 1.0f - game.scene.lightning->sinceStrike;
    l.sunColor = glm::vec3(light.color);
    l.flashLightIntensity = game.scene.flashlight->intensity;
    l.flashLightPos = eyeOf(*game.scene.flashlight->shadow.camera);
    l.fireNoise = game.scene.frame.fireNoise;
    return l;
}

// The flashlight's shadow only matters inside its cone and as far as its light shows; a
// lightning flash lights everything in its view.
TerrainViewParams shadowTerrainParams(const Game& game, const ShadowCamera& light)
{
    TerrainViewParams params;
    params.everything = game.scene.drawAllTerrain;
    params.cullByEye = !light.isSun; // an orthographic light has no eye point
    if (&light == &game.scene.flashlight->shadow) {
        const Camera& camera = *light.camera;
        params.hasCone = true;
        params.cone.apex = eyeOf(camera);
        params.cone.axis = -glm::vec3(camera.world[2]);
        // A pixel at the rim of the cone reads the map up to a texel and a half around it.
        const float fov = glm::radians(game.scene.flashlight->fov);
        const Framebuffers& fb = game.scene.framebuffers;
        const int texels = std::max(1, std::min(fb.shadowSize.width, fb.shadowSize.height));
        params.cone.halfAngle = fov * 0.5f + 2.0f * fov / float(texels);
        params.cone.reach = lampReach(sceneLightOf(game, light), game.scene.playerCamera->eyePosition());
    }
    return params;
}

// Beyond the fog horizon terrain is drawn in the fog's colour only; where the floor is sure to
// show behind it, not at all.
TerrainViewParams worldTerrainParams(const Game& game, const ShadowCamera& light)
{
    const SceneLight l = sceneLightOf(game, light);
    const glm::vec3 eye = game.scene.playerCamera->eyePosition();
    TerrainViewParams params;
    params.everything = game.scene.drawAllTerrain;
    params.horizon = fogHorizon(l, eye, false);
    params.firePosition = game.scene.fire->position;
    params.fireRadius = FIRE_LIGHT_RADIUS;
    params.fireHorizon = fogHorizon(l, eye, true);
    params.hasFloor = true;
    params.floor = game.session.world->floorRect();
    // Stars are drawn with depth: a floor behind one would not hide it as the terrain did.
    // A little short of the nearest star, for the width of its sprite.
    params.floor.maxDistance = 0.98f * game.scene.skybox->nearestStarDistance(eye);
    const bool fireLightsFloor = std::fabs(game.scene.fire->position.y - params.floor.y) < FIRE_LIGHT_RADIUS;
    params.floorHorizon = fireLightsFloor ? std::max(params.horizon, params.fireHorizon) : params.horizon;
    return params;
}

TerrainDrawStats shadowPass(Game& game, const ShadowCamera& light)
{
    const Framebuffers& fb = game.scene.framebuffers;
    const Camera& camera = *light.camera;
    game.scene.frame.viewMatrix = camera.view;
    game.scene.frame.projMatrix = camera.projection;
    game.scene.frame.projViewMatrix = camera.projView;
    const float offset = shadowPolygonOffset(game.session.player->position());
    TerrainViewParams params = shadowTerrainParams(game, light);
    World& world = *game.session.world;
    TerrainDepthKey key = terrainDepthKeyOf(camera, offset, fb.serial, world.chooseTerrain(camera, params));
    if (key == game.scene.shadowMapHolds) {
        TerrainDrawStats kept;
        kept.kept = true;
        return kept;
    }

    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glViewport(0, 0, fb.shadowSize.width, fb.shadowSize.height);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.shadowFramebuffer);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(offset, offset);
    // No pixel reads the lamp's map outside its cone: its triangles are clipped to the octagon
    // around the cone (the corners outside hold a sixth of the map).
    const Shader* cone = coneDepthShader();
    const bool clipToCone = params.hasCone && !params.everything && cone && cone->program != 0;
    const Shader* depth = clipToCone ? cone : getShader(SHADER_DEPTH);
    depth->bind();
    light.setProjViewUniform(*depth);
    depth->setVec3("eyePosition", eyeOf(camera));
    if (clipToCone) {
        // The lamp's view is square, as wide as its light.
        const float halfView = glm::radians(game.scene.flashlight->fov) * 0.5f;
        depth->setFloat("coneRadius", std::tan(params.cone.halfAngle) / std::tan(halfView));
        for (int i = 0; i < 4; ++i)
            glEnable(GLenum(GL_CLIP_DISTANCE0 + i));
    }
    testOcclusion(game, params, fb.shadowFramebuffer, fb.shadowSize.width, fb.shadowSize.height, SHADOW_QUADS_SHOWN);
    const TerrainDrawStats drawn = world.drawChosenTerrain(camera, params);
    for (int i = 0; clipToCone && i < 4; ++i)
        glDisable(GLenum(GL_CLIP_DISTANCE0 + i));
    depth->unbind();
    game.scene.shadowMapHolds = std::move(key);
    return drawn;
}

// The terrain beyond the fog horizon, in the fog's colour: it still hides the stars behind it.
size_t drawSilhouettes(Game& game)
{
    if (game.session.world->lastTerrainCull().silhouette.empty())
        return 0;
    const Shader* depth = getShader(SHADER_DEPTH);
    depth->bind();
    depth->setMat4("projview", game.scene.frame.projViewMatrix);
    depth->setVec3("eyePosition", game.scene.playerCamera->eyePosition());
    depth->setVec4("flatColor", glm::vec4(FOG_COLOR, 1.0f));
    const size_t triangles = game.session.world->drawSilhouettes();
    depth->unbind();
    return triangles;
}

// The per-frame uniforms and textures of a world program, bound.
void setWorldUniforms(Game& game, const ShadowCamera& light, const WorldUniformLocations& u, const Shader& shader)
{
    setMat4(u.modelMatrix, glm::mat4(1.0f));
    setMat4(u.viewMatrix, game.scene.frame.viewMatrix);
    setMat4(u.modelViewMatrix, game.scene.frame.viewMatrix);
    setMat4(u.modelViewProjMatrix, game.scene.frame.projViewMatrix);
    setMat4(u.depthBiasMV, light.depthBias);
    glUniform1i(u.outsideShadow, light.isSun ? 1 : 0);
    glUniform1f(u.flashLightIntensity, game.scene.flashlight->intensity);
    glUniform1f(u.night, game.session.night ? 1.0f : 0.0f);
    glUniform1i(u.lightning, game.scene.lightning->isActive() ? 1 : 0);
    glUniform1i(u.rain, game.session.weather.rain ? 1 : 0);
    glUniform1f(u.fogFactor, game.session.fogFactor);
    const glm::vec3 sun = glm::vec3(game.scene.frame.viewMatrix * glm::vec4(eyeOf(*light.camera), 1.0f));
    glUniform3fv(u.sunDir, 1, glm::value_ptr(sun));
    const Camera& flashCamera = *game.scene.flashlight->shadow.camera;
    const glm::vec3 flashPos = eyeOf(flashCamera);
    const glm::vec3 flashDir = glm::vec3(flashCamera.world[2]);
    glUniform3fv(u.flashLightPos, 1, glm::value_ptr(flashPos));
    glUniform3fv(u.flashLightDir, 1, glm::value_ptr(flashDir));
    glUniform1f(u.lightningFactor, 1.0f - game.scene.lightning->sinceStrike);
    glUniform1f(u.flashLightFOV, game.scene.flashlight->fov);
    const glm::vec3 sunColor(light.color);
    glUniform3fv(u.sunColor, 1, glm::value_ptr(sunColor));
    const glm::vec3 fire = glm::vec3(game.scene.frame.viewMatrix * glm::vec4(game.scene.fire->position, 1.0f));
    glUniform3fv(u.firePos, 1, glm::value_ptr(fire));
    glUniform1f(u.fireNoise, game.scene.frame.fireNoise);
    glUniform3fv(u.eyePosition, 1, glm::value_ptr(game.scene.playerCamera->eyePosition()));
    bindTextureId(game.scene.framebuffers.shadowMap, SHADOW_MAP_UNIT, shader, "depthTex");
    bindTextureId(game.scene.framebuffers.shadowMap, SHADOW_DEPTHS_UNIT, shader, "depthValues");
    glBindSampler(SHADOW_DEPTHS_UNIT, game.scene.framebuffers.rawDepthSampler);
    if (game.scene.blockTextures)
        bindArray(*game.scene.blockTextures, shader, "diffuseTexArray");
}

TerrainDrawStats worldPass(Game& game, const ShadowCamera& light)
{
    TerrainViewParams params = worldTerrainParams(game, light);
    const Framebuffers& fb = game.scene.framebuffers;
    World& world = *game.session.world;
    const TerrainCullResult& chosen = world.chooseTerrain(*game.scene.playerCamera, params);
    if (fb.samples == 1) {
        testOcclusion(game, params, fb.sceneFramebuffer, fb.width, fb.height, WORLD_QUADS_SHOWN);
        reuseTerrainDepth(game, params, chosen);
    }
    const float eyeToFire = glm::distance(game.scene.playerCamera->eyePosition(), game.scene.fire->position);
    const Shader* plain = plainNightWorldShader();
    const bool full = !plain || plain->program == 0
        || flashOrFireShows(game.scene.lightning->isActive(), eyeToFire, params.fireHorizon);
    const WorldUniforms& all = game.scene.worldUniforms;
    const Shader* shader = full ? getShader(SHADER_WORLD) : plain;
    // Faces wholly outside the lamp's cone get no light from it: on a software renderer, which
    // pays for every line of the shader in every pixel, a program without the lamp and its
    // shadow map draws them, unless a lightning flash lights by that map. A graphics card
    // shades them for next to nothing, and would only pay for the extra draws.
    const Shader* outside = outsideLampWorldShader(!full);
    const bool split = game.scene.softwareRenderer && outside && outside->program != 0
        && !game.scene.lightning->isActive() && &light == &game.scene.flashlight->shadow;
    if (split) {
        outside->bind();
        setWorldUniforms(game, light, full ? all.outsideLamp : all.plainNightOutsideLamp, *outside);
        const Camera& flashCamera = *game.scene.flashlight->shadow.camera;
        params.hasLampCone = true;
        params.lampCone.apex = eyeOf(flashCamera);
        params.lampCone.axis = glm::normalize(-glm::vec3(flashCamera.world[2]));
        // A little wider than the shader's cone, against rounding at its edge.
        params.lampCone.halfAngle = glm::radians(game.scene.flashlight->fov) * 0.5f * 1.01f;
        params.outsideLamp = [shader, outside](bool on) { (on ? outside : shader)->bind(); };
    }
    shader->bind();
    setWorldUniforms(game, light, full ? all.full : all.plainNight, *shader);

    world.camera = game.scene.playerCamera.get();
    TerrainDrawStats drawn = world.draw(*game.scene.playerCamera, *shader, game.scene.frame, params, true);
    // Objects and bodies bind their own shaders; the shadow map stays on its
    // unit until the player's own models are drawn (drawScene unbinds it).
    unbindTextures();
    shader->unbind();
    drawn.silhouetteTriangles = drawSilhouettes(game);
    drawn.triangles += drawn.silhouetteTriangles;
    return drawn;
}

void unbindShadowMap()
{
    glActiveTexture(GL_TEXTURE0 + SHADOW_DEPTHS_UNIT);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindSampler(SHADOW_DEPTHS_UNIT, 0);
    glActiveTexture(GL_TEXTURE0 + SHADOW_MAP_UNIT);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
}

} // namespace

std::vector<std::string> framePassNames()
{
    return { "shadow", "sky", "world", "effects", "held item", "post-processing", "gui" };
}

void beginFramePass(Game& game, FramePass pass)
{
    if (game.platform.passTimer)
        game.platform.passTimer->beginPass(pass);
}

const ShadowCamera& frameLight(const Game& game)
{
    return game.scene.lightning->isActive() ? game.scene.lightning->light : game.scene.flashlight->shadow;
}

TerrainDepthKey terrainDepthKeyOf(const Camera& camera, float offset, uint64_t targets, const TerrainCullResult& chosen)
{
    TerrainDepthKey key;
    key.projView = camera.projView;
    key.eye = eyeOf(camera);
    key.offset = offset;
    key.targets = targets;
    for (const TerrainDrawItem& item : chosen.shaded) {
        const TerrainDrawRanges& r = item.ranges;
        key.ranges.push_back(item.node->mesh ? item.node->mesh->serial() : 0);
        key.ranges.push_back(uint64_t(r.count));
        for (int i = 0; i < r.count; ++i) {
            key.ranges.push_back(r.first[size_t(i)]);
            key.ranges.push_back(r.indices[size_t(i)]);
        }
    }
    return key;
}

float shadowPolygonOffset(const glm::vec3& p)
{
    return glm::length(glm::vec4(p, 1.0f)) > 1000.0f ? 3.0f : 1.0f;
}

float fireNoiseAt(float gameTime)
{
    return SimplexNoise::scaled2(0.5f, 1.0f, gameTime * 4.0f, 0.5f);
}

bool flashOrFireShows(bool lightning, float eyeToFire, float fireHorizon)
{
    return lightning || eyeToFire < fireHorizon + FIRE_LIGHT_RADIUS;
}

namespace {

void lookUpWorldUniforms(WorldUniformLocations& u, const Shader* shader)
{
    u = WorldUniformLocations {};
    if (!shader || shader->program == 0)
        return;
    const GLuint p = shader->program;
    u.modelMatrix = glGetUniformLocation(p, "modelMatrix");
    u.viewMatrix = glGetUniformLocation(p, "viewMatrix");
    u.modelViewMatrix = glGetUniformLocation(p, "modelViewMatrix");
    u.modelViewProjMatrix = glGetUniformLocation(p, "modelViewProjMatrix");
    u.depthBiasMV = glGetUniformLocation(p, "depthBiasMV");
    u.outsideShadow = glGetUniformLocation(p, "outsideShadow");
    u.flashLightIntensity = glGetUniformLocation(p, "flashLightIntensity");
    u.night = glGetUniformLocation(p, "night");
    u.lightning = glGetUniformLocation(p, "lightning");
    u.rain = glGetUniformLocation(p, "rain");
    u.fogFactor = glGetUniformLocation(p, "fogFactor");
    u.sunDir = glGetUniformLocation(p, "sunDir");
    u.flashLightPos = glGetUniformLocation(p, "flashLightPos");
    u.flashLightDir = glGetUniformLocation(p, "flashLightDir");
    u.lightningFactor = glGetUniformLocation(p, "lightningFactor");
    u.flashLightFOV = glGetUniformLocation(p, "flashLightFOV");
    u.sunColor = glGetUniformLocation(p, "sunColor");
    u.firePos = glGetUniformLocation(p, "firePos");
    u.fireNoise = glGetUniformLocation(p, "fireNoise");
    u.depthTex = glGetUniformLocation(p, "depthTex");
    u.eyePosition = glGetUniformLocation(p, "eyePosition");
}

} // namespace

void lookUpWorldUniforms(WorldUniforms& u)
{
    lookUpWorldUniforms(u.full, getShader(SHADER_WORLD));
    lookUpWorldUniforms(u.plainNight, plainNightWorldShader());
    lookUpWorldUniforms(u.outsideLamp, outsideLampWorldShader(false));
    lookUpWorldUniforms(u.plainNightOutsideLamp, outsideLampWorldShader(true));
}

void drawScene(Game& game)
{
    if (!game.hasWindow() || !game.session.world || !game.session.player)
        return;
    const ShadowCamera& light = frameLight(game);
    fillFrameState(game, light);

    // The player's view with its shake, and the overview above him, before the light's pass:
    // how far the lamp's light shows depends on where this frame's eye is.
    game.scene.playerCamera->setView(game.session.player->viewMatrix());
    game.scene.playerCamera->applyShake();
    const glm::vec3 p = game.session.player->position();
    game.scene.overviewCamera->lookAt(p + glm::vec3(0.0f, 120.0f, -0.1f), p, glm::vec3(0.0f, 1.0f, 0.0f));

    // 1. The light's depth.
    beginFramePass(game, PASS_SHADOW);
    const TerrainDrawStats shadowDrawn = shadowPass(game, light);

    // 2. The scene into its buffer (multisampled when anti-aliasing is on).
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, game.scene.framebuffers.width, game.scene.framebuffers.height);
    glBindFramebuffer(GL_FRAMEBUFFER, game.scene.framebuffers.sceneFramebuffer);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_POLYGON_OFFSET_FILL);

    // 3. The player's view for the passes that follow.
    game.scene.frame.normalMatrix = game.session.player->normalMatrix();
    game.scene.frame.viewMatrix = game.scene.playerCamera->view;
    game.scene.frame.projMatrix = game.scene.playerCamera->projection;
    game.scene.frame.projViewMatrix = game.scene.frame.projMatrix * game.scene.frame.viewMatrix;

    // 4. Sky, 5. world. Sprites (sky, particles) read gl_PointCoord, which a
    // compatibility context only fills in with point sprites on.
    glEnable(GL_POINT_SPRITE);
    glEnable(GL_PROGRAM_POINT_SIZE);
    beginFramePass(game, PASS_SKY);
    game.scene.skybox->draw(game.scene.frame);
    beginFramePass(game, PASS_WORLD);
    const TerrainDrawStats worldDrawn = worldPass(game, light);
    if (game.platform.frameStats && game.playing)
        game.platform.frameStats->addTerrainFrame(double(shadowDrawn.drawCalls + worldDrawn.drawCalls),
            double(shadowDrawn.triangles), double(worldDrawn.triangles), shadowDrawn.kept, worldDrawn.depthKnown);

    // 6. Additive effects, then the fire blended over them.
    beginFramePass(game, PASS_EFFECTS);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    game.scene.lightning->draw(game.scene.frame.projViewMatrix);
    game.scene.particles->draw(game.scene.frame);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    game.scene.fire->draw(game.scene.frame);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);

    // 7. The held item and the flashlight over everything.
    beginFramePass(game, PASS_HELD_ITEM);
    glClear(GL_DEPTH_BUFFER_BIT);
    game.session.player->draw(game.scene.frame);
    unbindShadowMap();
}

float brightnessGamma(int brightness)
{
    return brightness > 0 ? 100.0f / float(brightness) : 1.0f;
}

bool postEffectsShow(const PostEffects& e, int width, int height)
{
    if (e.grey || e.potionFactor > 0.0f || e.noiseFactor > 0.0f || e.ending || e.brightness != 100)
        return true;
    // The reveal darkens from circleLoad - 0.05 outwards, at 0.7 of the distance from the
    // centre in half-heights; the corners are the farthest pixels.
    const float aspect = float(width) / float(std::max(height, 1));
    const float corner = 0.7f * std::sqrt(aspect * aspect + 1.0f);
    return e.circleLoad - 0.05f < corner;
}

namespace {

// The scene's edges smoothed at the scene's size, into their own texture; returns it. The
// default framebuffer is bound again afterwards, and no program.
GLuint smoothEdges(Game& game)
{
    const Framebuffers& fb = game.scene.framebuffers;
    const Shader* shader = edgeSmoothingShader();
    if (!shader) // no shaders loaded: nothing was drawn to smooth
        return fb.sceneColor;
    shader->bind();
    glBindFramebuffer(GL_FRAMEBUFFER, fb.smoothFramebuffer);
    glViewport(0, 0, fb.width, fb.height);
    shader->setInt("texScene", 1);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, fb.sceneColor);
    glActiveTexture(GL_TEXTURE0);
    game.scene.fullscreenQuad->draw();
    shader->unbind();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, game.platform.screenWidth, game.platform.screenHeight);
    return fb.smoothColor;
}

} // namespace

void postProcess(Game& game)
{
    if (!game.hasWindow()) {
        // The reveal still has to move, or the death sequence would never end.
        advanceReveal(game);
        return;
    }
    beginFramePass(game, PASS_POST_PROCESSING);
    const Death* death = game.session.world ? game.session.world->death : nullptr;
    PostEffects effects;
    effects.circleLoad = game.reveal.circleLoad;
    effects.grey = game.screenFlags() != SCREEN_WORLD;
    effects.potionFactor = game.potion.factor;
    effects.noiseFactor = death ? death->rage : 0.0f;
    effects.ending = game.deathSequence.timer > 0.0f;
    effects.brightness = gSettings.brightness;
    const Framebuffers& fb = game.scene.framebuffers;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glViewport(0, 0, game.platform.screenWidth, game.platform.screenHeight); // the scene may be smaller
    if (fb.samples == 1 && !postEffectsShow(effects, fb.width, fb.height)) {
        // Nothing to add: a copy (scaled up when the scene is smaller) gives the same pixels for
        // a fraction of a full-screen shader.
        advanceReveal(game);
        GLuint source = fb.sceneFramebuffer;
        if (fb.smoothEdges && smoothEdges(game) == fb.smoothColor)
            source = fb.smoothFramebuffer;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(0, 0, fb.width, fb.height, 0, 0, fb.windowWidth, fb.windowHeight, GL_COLOR_BUFFER_BIT,
            fb.scaled() ? GL_LINEAR : GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return;
    }
    glDisable(GL_DEPTH_TEST);
    const GLuint sceneColor = fb.smoothEdges ? smoothEdges(game) : fb.sceneColor;
    const Shader* shader = getShader(SHADER_POST_PROCESSING);
    shader->bind();
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The two samplers differ in type, so they must never share a unit.
    const bool multisampled = game.scene.framebuffers.samples > 1;
    shader->setInt("texFramebuffer", 0);
    shader->setInt("texScene", 1);
    glActiveTexture(multisampled ? GL_TEXTURE0 : GL_TEXTURE1);
    glBindTexture(multisampled ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D, sceneColor);
    glActiveTexture(GL_TEXTURE0);
    shader->setInt("sampleCount", game.scene.framebuffers.samples);
    shader->setInt("scaleUp", fb.scaled() ? 1 : 0);
    shader->setFloat("noiseFactor", effects.noiseFactor);
    shader->setFloat("circleLoad", game.reveal.circleLoad);
    advanceReveal(game);
    shader->setFloat("time", game.session.gameTime);
    shader->setInt("isGrayscale", effects.grey ? 1 : 0);
    shader->setFloat("potionFactor", game.potion.factor);
    shader->setInt("endAnimation", game.deathSequence.timer > 0.0f ? 1 : 0);
    shader->setFloat("gammaChange", brightnessGamma(effects.brightness) - 1.0f);
    game.scene.fullscreenQuad->draw();
    glActiveTexture(multisampled ? GL_TEXTURE0 : GL_TEXTURE1);
    glBindTexture(multisampled ? GL_TEXTURE_2D_MULTISAMPLE : GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    shader->unbind();
    glEnable(GL_DEPTH_TEST);
}
