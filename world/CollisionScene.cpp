#include "world/CollisionScene.h"

#include "world/VoxelQueries.h"

bool CollisionScene::collidesWithVoxels(const CollisionObject& body) const
{
    return ::collidesWithVoxels(chunks, body, floorBox);
}

bool CollisionScene::collidesWithCharacters(const CollisionObject& body) const
{
    for (const auto& character : characters) {
        if (character.get() != &body && character->box.intersects(body.box))
            return true;
    }
    return false;
}
