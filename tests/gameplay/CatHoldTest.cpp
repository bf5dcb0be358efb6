// Carrying a cat in the empty hand.
#include "CreatureTestWorld.h"

#include "gameplay/CatHold.h"

#include <gtest/gtest.h>

namespace {

const glm::vec3 kPlayerAt = standingAt(20.0f, 8.0f, 20.0f);

TEST(CatHold, NamesTheCatBySize)
{
    EXPECT_EQ(carriedCatName(4.5f), "Gigantic Cat");
    EXPECT_EQ(carriedCatName(3.8f), "Huge Cat");
    EXPECT_EQ(carriedCatName(3.2f), "Fat Cat");
    EXPECT_EQ(carriedCatName(3.0f), "Cat");
    EXPECT_EQ(carriedCatName(2.4f), "Cat");
    EXPECT_EQ(carriedCatName(1.7f), "Small Cat");
    EXPECT_EQ(carriedCatName(1.0f), "Tiny Cat");
}

TEST(CatHold, ACarriedCatCollidesWithNothingAndIsPutDownWhole)
{
    CreatureTestWorld w(kPlayerAt);
    Cat& cat = w.addFreeCat(glm::vec3(20.0f, 9.0f, 19.5f)); // overlapping the player
    const aabb before = cat.box;
    CatHold hand;
    EXPECT_EQ(hand.pickUp(cat), "Tiny Cat");
    EXPECT_EQ(hand.cat(), &cat);
    EXPECT_EQ(cat.state, CAT_CARRIED);
    EXPECT_EQ(cat.gravity, 0.0f);
    EXPECT_FALSE(w.world.scene().collidesWithCharacters(*w.player));
    EXPECT_FALSE(w.world.scene().collidesWithCharacters(cat));

    w.run(1.0f); // carried, it stays in the hand: state 8, moving
    EXPECT_EQ(cat.state, CAT_CARRIED);
    EXPECT_TRUE(cat.moving);

    hand.drop();
    EXPECT_FALSE(hand);
    EXPECT_EQ(cat.state, CAT_FOLLOW);
    EXPECT_EQ(cat.gravity, 5.0f);
    EXPECT_LT(glm::distance(cat.box.min - cat.box.center(), before.min - before.center()), 1e-5f);
    EXPECT_LT(glm::distance(cat.box.max - cat.box.center(), before.max - before.center()), 1e-5f);
}

TEST(CatHold, HoldsTheCatInFrontOfTheEyesFartherForBigCats)
{
    CreatureTestWorld w(kPlayerAt);
    Cat& cat = w.addFreeCat(glm::vec3(21.0f, 8.2f, 20.0f));
    cat.size = 3.0f;
    CatHold hand;
    EXPECT_EQ(hand.pickUp(cat), "Cat");
    glm::mat4 looking(1.0f); // looking along -z
    hand.carry(glm::vec3(5.0f, 10.0f, 5.0f), looking);
    EXPECT_EQ(cat.position(), glm::vec3(5.0f, 10.6f, 2.5f));
    EXPECT_LT(glm::distance(cat.box.center(), cat.position()), 1e-5f);
}

TEST(CatHold, ACatRemovedFromTheWorldLeavesTheHandEmpty)
{
    CreatureTestWorld w(kPlayerAt);
    CatHold hand;
    {
        Cat cat(glm::vec3(20.0f, 8.2f, 21.0f), false);
        hand.pickUp(cat);
    }
    EXPECT_EQ(hand.cat(), nullptr);
    hand.carry(glm::vec3(0.0f), glm::mat4(1.0f)); // nothing to place
    hand.drop();

    // The other way round: the hand goes first (the player deleted with his items).
    Cat cat(glm::vec3(20.0f, 8.2f, 21.0f), false);
    {
        CatHold gone;
        gone.pickUp(cat);
        EXPECT_EQ(cat.hold, &gone);
    }
    EXPECT_EQ(cat.hold, nullptr);
}

} // namespace

#include "gameplay/Hands.h"
#include "gameplay/Player.h"

namespace {

TEST(HandsWithCats, PickUpTheNearestCatDropItAndForgetADeletedOne)
{
    CreatureTestWorld w(kPlayerAt);
    Player owner(nullptr);
    owner.services = &w;
    Hands hands(true);
    hands.owner = &owner;
    hands.use(); // nothing within reach
    EXPECT_FALSE(hands.carriedCat);
    EXPECT_EQ(hands.name, "No Item");
    w.addFreeCat(kPlayerAt + glm::vec3(3.0f, 0.0f, 0.0f));
    Cat& near = w.addFreeCat(kPlayerAt + glm::vec3(1.0f, 0.0f, 0.0f));
    near.size = 1.7f;
    hands.use();
    EXPECT_EQ(hands.carriedCat.cat(), &near);
    EXPECT_EQ(hands.name, "Small Cat");
    hands.deselect(); // switching items drops it
    EXPECT_FALSE(hands.carriedCat);
    EXPECT_EQ(hands.name, "No Item");
    EXPECT_EQ(near.state, CAT_FOLLOW);

    hands.use();
    ASSERT_EQ(hands.carriedCat.cat(), &near);
    // The cat is lost on respawn while in the hand.
    auto& bodies = w.world.characters;
    for (size_t i = 0; i < bodies.size(); ++i) {
        if (bodies[i].get() == &near) {
            bodies[i] = std::move(bodies.back());
            bodies.pop_back();
            break;
        }
    }
    EXPECT_FALSE(hands.carriedCat);
    hands.update(1.0f / 60.0f);
    hands.use(); // picks up the other cat only if near: it is 3 units away
    EXPECT_FALSE(hands.carriedCat);
}

} // namespace
