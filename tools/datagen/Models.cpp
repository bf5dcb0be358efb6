// Writes the game's meshes (models/*.obj) and model textures (textures/*.png),
// and a contact sheet of every model for a person to look at.
#include "tools/datagen/DataGen.h"
#include "tools/datagen/ModelSet.h"
#include "tools/datagen/Preview.h"
#include "tools/datagen/TexturePainters.h"

#include <map>

namespace datagen {

namespace {

struct TableEntry {
    const char* mesh;
    const char* texture;
    Mesh (*build)();
};

// The mesh table in the game's order, with the texture each is drawn with.
const TableEntry kMeshTable[] = {
    { "models/player.obj", "textures/player.png", playerHands },
    { "models/death_scythe.obj", "textures/death.png", deathScythe },
    { "models/death_left_arm.obj", "textures/death.png", deathLeftArm },
    { "models/death_right_arm.obj", "textures/death.png", deathRightArm },
    { "models/death_head.obj", "textures/death.png", deathHead },
    { "models/death_body.obj", "textures/death.png", deathBody },
    { "models/cat_head.obj", "textures/cat.png", catHead },
    { "models/cat_body.obj", "textures/cat.png", catBody },
    { "models/cat_leg.obj", "textures/cat.png", catLeg },
    { "models/cat_tail.obj", "textures/cat.png", catTail },
    { "models/dynamite.obj", "textures/dynamite.png", dynamiteStick },
    { "models/cage.obj", "textures/cage.png", cage },
    { "models/flashlight.obj", "textures/flashlight.png", flashlight },
    { "models/flashlight_hand.obj", "textures/gloves.png", flashlightHand },
    { "models/fish.obj", "textures/fish.png", fish },
    { "models/bonfire.obj", "textures/logs.png", bonfire },
    { "models/jetpack.obj", "textures/jetpack.png", jetpack },
    { "models/jetpack_hand.obj", "textures/gloves.png", jetpackHand },
    { "models/sign.obj", "textures/sign_pyramid.png", sign },
    { "models/dynamite_pack.obj", "textures/dynamite.png", dynamitePack },
    { "models/blasting_machine.obj", "textures/blasting_machine.png", blastingMachine },
    { "models/blasting_machine_handle.obj", "textures/blasting_machine.png", blastingMachineHandle },
    { "models/ball.obj", "textures/wool.png", woolBall },
    { "models/potion_bottle.obj", "textures/potion.png", potionBottle },
    { "models/potion_cork.obj", "textures/potion.png", potionCork },
};

std::string objectName(const std::string& file)
{
    return std::filesystem::path(file).stem().string();
}

// Whole models put together as the game poses them, plus every mesh
// alone; characters carry their body boxes.
std::vector<PreviewModel> previewModels(
    const std::vector<NamedMesh>& meshes, const std::map<std::string, const Image*>& textures)
{
    auto part = [&](size_t index, glm::mat4 transform = glm::mat4(1.0f)) {
        return PreviewPart { &meshes[index].mesh, textures.at(textureFileFor(meshes[index].file)),
            transform };
    };
    auto at = [](const float(&p)[3]) { return translation({ p[0], p[1], p[2] }); };
    std::vector<PreviewModel> models;
    PreviewModel cat;
    cat.parts = { part(6, at(catPose::head)), part(7), part(9, at(catPose::tail)) };
    for (const auto& leg : catPose::legs)
        cat.parts.push_back(part(8, at(leg)));
    cat.box = std::pair(glm::vec3(-0.25f, -0.2f, -0.25f) / 0.24f, glm::vec3(0.25f, 0.2f, 0.25f) / 0.24f);
    models.push_back(cat);
    cat.parts[2].transform = at(catPose::tail) * rotationX(-90.0f);
    cat.box.reset();
    models.push_back(cat);
    PreviewModel death;
    for (size_t i = 1; i <= 5; ++i)
        death.parts.push_back(part(i));
    death.box = std::pair(glm::vec3(-0.45f, -0.85f, -0.45f) / 0.24f, glm::vec3(0.45f, 0.85f, 0.45f) / 0.24f);
    models.push_back(death);
    models.push_back({ { part(12), part(13) }, {} });
    models.push_back({ { part(16), part(17) }, {} });
    models.push_back({ { part(20), part(21) }, {} });
    models.push_back({ { part(23), part(24) }, {} });
    for (size_t i = 0; i < meshes.size(); ++i)
        models.push_back({ { part(i) }, {} });
    return models;
}

} // namespace

std::vector<NamedMesh> buildModelMeshes()
{
    std::vector<NamedMesh> meshes;
    for (const TableEntry& entry : kMeshTable)
        meshes.push_back({ entry.mesh, entry.build() });
    return meshes;
}

std::string textureFileFor(const std::string& meshFile)
{
    for (const TableEntry& entry : kMeshTable)
        if (meshFile == entry.mesh)
            return entry.texture;
    return {};
}

std::vector<ModelTexture> paintModelTextures()
{
    return {
        { "textures/death.png", painters::death() },
        { "textures/cat.png", painters::cat() },
        { "textures/dynamite.png", painters::dynamite() },
        { "textures/player.png", painters::player() },
        { "textures/cage.png", painters::cage() },
        { "textures/flashlight.png", painters::flashlight() },
        { "textures/gloves.png", painters::gloves() },
        { "textures/fish.png", painters::fish() },
        { "textures/logs.png", painters::logs() },
        { "textures/jetpack.png", painters::jetpack() },
        { "textures/sign_pyramid.png", painters::sign() },
        { "textures/blasting_machine.png", painters::blastingMachine() },
        { "textures/wool.png", painters::wool() },
        { "textures/potion.png", painters::potion() },
    };
}

bool writeModelsAndModelTextures(const std::filesystem::path& runDir)
{
    bool ok = true;
    const std::vector<NamedMesh> meshes = buildModelMeshes();
    for (const NamedMesh& mesh : meshes)
        ok = writeObj(runDir / mesh.file, mesh.mesh, objectName(mesh.file)) && ok;
    const std::vector<ModelTexture> images = paintModelTextures();
    std::map<std::string, const Image*> textures;
    for (const ModelTexture& image : images) {
        ok = writePng(runDir / image.file, image.image) && ok;
        textures[image.file] = &image.image;
    }
    // The sky and fire entries of the model texture table come from the
    // block and GUI texture writer.
    ok = writePng(
             runDir / "preview" / "models_contact_sheet.png", renderContactSheet(previewModels(meshes, textures), 4, 128))
        && ok;
    return ok;
}

} // namespace datagen
