#pragma once

#include <string>
#include <vector>

#include "tools/datagen/DataGen.h"
#include "tools/datagen/MeshBuilder.h"

// The game's meshes and model textures, built in memory before they are
// written, so the preview and the tests can look at them as a whole.
namespace datagen {

struct NamedMesh {
    std::string file; // relative to the run folder, e.g. "models/cat_head.obj"
    Mesh mesh;
};

struct ModelTexture {
    std::string file; // relative to the run folder, e.g. "textures/cat.png"
    Image image;
};

// Where the cat's parts sit in its rest pose (cat model units, before the
// size x 0.24 scale): each part mesh has its origin at its joint.
namespace catPose {
inline constexpr float head[3] = { 0.0f, 0.5f, -0.8f };
inline constexpr float tail[3] = { 0.0f, 0.2f, 0.5f };
inline constexpr float legs[4][3]
    = { { -0.25f, -0.2f, -0.4f }, { 0.25f, -0.2f, -0.4f }, { -0.25f, -0.2f, 0.4f }, { 0.25f, -0.2f, 0.4f } };
}

// Models face -z (the way they walk or point) with +y up and +x to their right.
Mesh catHead();
Mesh catBody();
Mesh catLeg();
Mesh catTail();

Mesh deathScythe();
Mesh deathLeftArm();
Mesh deathRightArm();
Mesh deathHead();
Mesh deathBody();

Mesh playerHands();
Mesh flashlight();
Mesh flashlightHand();
Mesh dynamiteStick();
Mesh fish();
Mesh jetpack();
Mesh jetpackHand();
Mesh woolBall();
Mesh potionBottle();
Mesh potionCork();

Mesh cage();
Mesh bonfire();
Mesh sign();
Mesh dynamitePack();
Mesh blastingMachine();
Mesh blastingMachineHandle();

// All 25 meshes in the order of the game's mesh table.
std::vector<NamedMesh> buildModelMeshes();

// The model textures this generator paints for its meshes, in the order of
// the game's model texture table.
std::vector<ModelTexture> paintModelTextures();

// Which texture each mesh of the table is drawn with.
std::string textureFileFor(const std::string& meshFile);

} // namespace datagen
