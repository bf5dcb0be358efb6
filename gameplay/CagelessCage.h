#pragma once

#include "gameplay/CagedCat.h"
#include "gameplay/Worldobject.h"

// A cat resting free in a basket: activating it (or blowing it up) frees the
// cat, which joins the world as a new body and counts as found.
class CagelessCage : public Worldobject {
public:
    // The caged cat, drawn and stepped by its cage. Structures build cages on
    // workers, but a cat opens a sound source, which only the main thread may
    // do: the cat is made at the cage's first update, which runs there. It is
    // deleted there too, since the main thread takes a chunk's objects out
    // before a worker frees the chunk.
    CatPtr cat;
    glm::vec3 catPosition { 0.0f };
    bool golden = false; // the caged cat's golden flag, kept for the freed cat

    explicit CagelessCage(const glm::vec3& p);
    ~CagelessCage() override;

    // Makes the caged cat unless it exists. Main thread only; a cage placed
    // there shows its cat before its first update.
    void makeCat();
    void activate(GameServices& game) override;
    void draw(const FrameState& frame) override;
    void update(float dt, GameServices& game) override;
    void onExplosion(const Geometric_Object& shape, GameServices& game) override;

protected:
    void setGolden(bool flag);
};
