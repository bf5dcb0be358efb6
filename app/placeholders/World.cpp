#include "app/placeholders/World.h"

#include "app/Clock.h"

#include <algorithm>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

void Death::faceDirection(const glm::vec3& d)
{
    model[0] = glm::vec4(glm::normalize(glm::cross(d, glm::vec3(0.0f, 1.0f, 0.0f))), 0.0f);
    model[1] = glm::vec4(0.0f, 1.0f, 0.0f, 0.0f);
    model[2] = glm::vec4(-d, 0.0f);
}

void Death::scaleModel(float sx, float sy, float sz)
{
    model = glm::scale(model, glm::vec3(sx, sy, sz));
}

PlaceholderWorld::PlaceholderWorld(int viewDistance, const glm::vec3& chunkSize)
    : viewDistance(viewDistance)
    , chunkSize(chunkSize)
    , death(std::make_unique<Death>())
{
    death->setPosition(glm::vec3(30.0f, 20.0f, 30.0f));
}

PlaceholderWorld::~PlaceholderWorld() = default;

void PlaceholderWorld::update(float)
{
    ++updates;
}

double PlaceholderWorld::loadStarted() const
{
    if (loadStart < 0.0)
        loadStart = now();
    return loadStart;
}

bool PlaceholderWorld::isLoaded() const
{
    return now() - loadStarted() >= loadMs;
}

float PlaceholderWorld::loadingProgress() const
{
    if (loadMs <= 0.0)
        return 1.0f;
    return float(std::min(1.0, (now() - loadStarted()) / loadMs));
}

void PlaceholderWorld::resetLoadedCounter()
{
    loadStart = -1.0;
}

void PlaceholderWorld::queueCacheForDestruction(int n)
{
    cacheQueued = n;
}

void PlaceholderWorld::removeCats(int n)
{
    const int removed = player ? std::min(n, player->catCount) : 0;
    if (player)
        player->catCount -= removed;
    catsRemoved += removed;
}

void PlaceholderWorld::addPlayer(Player* p)
{
    ownedPlayer.reset(p);
    player = p;
}

bool PlaceholderWorld::placeOnSurface(Player& body, float yFrom, float)
{
    const glm::vec3 p = body.position();
    body.setPosition(glm::vec3(p.x, yFrom, p.z));
    return true;
}
