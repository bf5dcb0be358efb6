#pragma once

#include "render/Shader.h"

// The game's GLSL programs, loaded once at start-up and fetched by index.
enum ShaderIndex : int {
    SHADER_WORLD = 0,
    SHADER_GUI = 1,
    SHADER_SKYBOX = 2,
    SHADER_MODEL = 3,
    SHADER_DEPTH = 4,
    SHADER_PARTICLES = 5,
    SHADER_BILLBOARD = 6,
    SHADER_FIRE = 7,
    SHADER_POST_PROCESSING = 8,
    SHADER_COLOR = 9,
    SHADER_LIGHTNING = 10,
};

constexpr int SHADER_COUNT = 11;

// Shader files by index, relative to the working directory.
extern const char* const shaderFiles[SHADER_COUNT];

// Reads, compiles and links every file of the table in order, then the edge
// smoothing program beside it. Needs a current GL context. Returns the number
// of files of the table.
int loadShaders();

// The shader at `index` (0..10); no bounds check.
Shader* getShader(int index);

// The world program for frames that neither a lightning flash nor the bonfire
// lights: shaderFiles[SHADER_WORLD] built with WITHOUT_FLASH_AND_FIRE defined.
// A software rasterizer runs every line of a shader for every pixel, the
// branches it does not take included. Loaded with the table, outside its
// numbering.
inline const char* const PLAIN_NIGHT_DEFINES = "#define WITHOUT_FLASH_AND_FIRE\n";
Shader* plainNightWorldShader();

// The two world programs above without the flashlight and its shadow map, for the faces wholly
// outside the lamp's cone in frames without lightning: built with WITHOUT_LAMP defined as well
// (`plainNight` picks which). Loaded with the table, outside its numbering.
inline const char* const OUTSIDE_LAMP_DEFINES = "#define WITHOUT_LAMP\n";
Shader* outsideLampWorldShader(bool plainNight);

// The program that smooths a single-sample scene's edges where anti-aliasing is
// drawn without samples: shaderFiles[SHADER_POST_PROCESSING] built with
// SMOOTH_EDGES defined. Loaded with the table, outside its numbering.
inline const char* const EDGE_SMOOTHING_DEFINES = "#define SMOOTH_EDGES\n";
Shader* edgeSmoothingShader();

// The depth program for the lamp's map, which clips its triangles to the lamp's
// cone: shaderFiles[SHADER_DEPTH] built with CLIP_TO_CONE defined. Loaded with
// the table, outside its numbering.
inline const char* const CONE_DEPTH_DEFINES = "#define CLIP_TO_CONE\n";
Shader* coneDepthShader();

// Deletes every Shader and empties the table.
void freeShaders();
