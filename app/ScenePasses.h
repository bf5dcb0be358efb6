#pragma once

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

class Camera;
struct Game;
class ShadowCamera;
struct TerrainCullResult;

// Locations of a world program's per-frame uniforms, looked up once.
struct WorldUniformLocations {
    int modelMatrix = -1, viewMatrix = -1, modelViewMatrix = -1, modelViewProjMatrix = -1;
    int depthBiasMV = -1, outsideShadow = -1, flashLightIntensity = -1, night = -1;
    int lightning = -1, rain = -1, fogFactor = -1, sunDir = -1, flashLightPos = -1;
    int flashLightDir = -1, lightningFactor = -1, flashLightFOV = -1, sunColor = -1;
    int firePos = -1, fireNoise = -1, depthTex = -1, eyePosition = -1;
};

// The world shader's programs: the whole one, and the one without the lightning and the
// bonfire for the frames neither can light; and each without the lamp, for the faces outside
// its cone.
struct WorldUniforms {
    WorldUniformLocations full, plainNight, outsideLamp, plainNightOutsideLamp;
};

// What the depth of a terrain pass was drawn from. Two frames with the same key draw the same
// depths: the shadow pass keeps its map as it is (a player standing still pays no shadow
// pass), and the scene pass tests every node against the depth it read before. The key holds
// what the shaders' positions follow from (the camera's projView and eye), the depth offset,
// the targets, and every range of every terrain mesh chosen, by the meshes' serial numbers (an
// edit or a new upload makes a new mesh). Values only: nothing in it can outlive a game.
struct TerrainDepthKey {
    glm::mat4 projView { 0.0f };
    glm::vec3 eye { 0.0f };
    float offset = 0.0f;
    uint64_t targets = 0; // the framebuffers' serial; 0 for a map nothing was drawn into
    std::vector<uint64_t> ranges; // per mesh: its serial, its range count, then first and count of each
    bool operator==(const TerrainDepthKey&) const = default;
};
TerrainDepthKey terrainDepthKeyOf(const Camera& camera, float offset, uint64_t targets, const TerrainCullResult& chosen);

// Looks up the world shader's per-frame uniform locations once the shader
// table is loaded; the scene pass sets them every frame by location.
void lookUpWorldUniforms(WorldUniforms& u);

// One world frame: the light's depth pass into the shadow map, the scene
// into the multisample buffer (sky, world, effects, the held item), then the
// post-processing pass onto the bound default framebuffer. Without a window
// nothing is drawn, but the post-processing pass still moves the reveal.
void drawScene(Game& game);
void postProcess(Game& game);

// The passes of a frame, as the frame statistics time them.
enum FramePass : int {
    PASS_SHADOW,
    PASS_SKY,
    PASS_WORLD,
    PASS_EFFECTS,
    PASS_HELD_ITEM,
    PASS_POST_PROCESSING,
    PASS_GUI,
    PASS_COUNT
};
std::vector<std::string> framePassNames();
// Starts timing a pass when the frame is measured (the pass before it ends).
void beginFramePass(Game& game, FramePass pass);

// The decisions of a frame that need no GL, kept apart so they can be tested.
// The light whose shadow the frame draws: the lightning's flash while it is
// lit, else the flashlight.
const ShadowCamera& frameLight(const Game& game);
// Whether a frame needs the world program with the lightning and the bonfire: while a flash
// lights the scene, or while the fire stands nearer to the eye than its light's reach beyond
// the fire's fog horizon (farther, whatever it lights shows as fog to within one step).
bool flashOrFireShows(bool lightning, float eyeToFire, float fireHorizon);
// Far from the origin depth precision drops: the shadow pass offsets more.
float shadowPolygonOffset(const glm::vec3& playerPosition);
// The fire's flicker: 2D noise of the game time mapped onto 0.5..1.
float fireNoiseAt(float gameTime);
// Whether the post-processing pass changes any pixel of a single-sample scene of this
// size: the pause grey, the potion, Death's static, the final red, or a reveal whose
// circle does not yet clear the corners. Otherwise the scene is copied as it is.
struct PostEffects {
    float circleLoad = 0.0f;
    bool grey = false;
    float potionFactor = 0.0f;
    float noiseFactor = 0.0f;
    bool ending = false;
    int brightness = 100; // percent; anything but 100 changes every pixel
};

// The post-processing gamma for a brightness in percent: out = in^(100 / brightness).
float brightnessGamma(int brightness);
bool postEffectsShow(const PostEffects& effects, int width, int height);
