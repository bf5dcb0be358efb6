#include "gameplay/CagedCat.h"

#include "gameplay/Cat.h"
#include "render/Model.h"

#include <mutex>
#include <thread>
#include <vector>

namespace {

// Static initialisation runs on the thread that starts the program.
const std::thread::id gMainThread = std::this_thread::get_id();

// Cats whose cage was deleted on a worker (chunks are destroyed there). A cat
// owns a sound source, and the sound system may only be used from the main
// thread, so they wait here until the main thread deletes them.
struct CatGraveyard {
    std::mutex mutex;
    std::vector<Cat*> cats;
    ~CatGraveyard()
    {
        for (Cat* cat : cats)
            delete cat;
    }
};

CatGraveyard& graveyard()
{
    static CatGraveyard yard;
    return yard;
}

}

bool onMainThread()
{
    return std::this_thread::get_id() == gMainThread;
}

void CatDeleter::operator()(Cat* cat) const
{
    if (!cat)
        return;
    if (onMainThread()) {
        delete cat;
        return;
    }
    CatGraveyard& yard = graveyard();
    std::lock_guard<std::mutex> guard(yard.mutex);
    yard.cats.push_back(cat);
}

void releaseCatsOfDeletedCages()
{
    std::vector<Cat*> cats;
    {
        CatGraveyard& yard = graveyard();
        std::lock_guard<std::mutex> guard(yard.mutex);
        cats.swap(yard.cats);
    }
    for (Cat* cat : cats)
        delete cat;
}

CatPtr makeCagedCat(const glm::vec3& p, bool golden)
{
    CatPtr cat(new Cat(p, golden));
    cat->state = CAT_CAGED;
    return cat;
}

void setCatGolden(Cat& cat, bool golden)
{
    cat.golden = golden;
    if (cat.bodyModel)
        cat.bodyModel->golden = golden;
}

bool isCatGolden(const Cat& cat)
{
    return cat.golden;
}

void updateCagedCat(Cat& cat, float dt)
{
    cat.update(dt);
}

void drawCagedCat(Cat& cat)
{
    cat.draw();
}
