#pragma once

#include "base/Ray.h"
#include "base/Settings.h"
#include "base/Shapes.h"
#include "physics/CollisionObject.h"
#include "physics/MovingObject.h"
#include "physics/WorldFloor.h"
#include "world/Chunk.h"
#include "world/ChunkJob.h"
#include "world/CollisionScene.h"
#include "world/RegionLocks.h"
#include "world/TerrainCulling.h"
#include "world/VoxelEdit.h"
#include "world/VoxelQueries.h"
#include "world/WorldGenerator.h"

#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <vector>

class ButtonHelper;
class Camera;
class Cat;
class Death;
struct FrameState;
class GameServices;
class Player;
class Projectile;
class Shader;

// What one terrain draw submitted.
struct TerrainDrawStats {
    size_t drawCalls = 0;
    size_t triangles = 0; // shaded and silhouette together
    size_t silhouetteTriangles = 0;
    bool kept = false; // the target already held this view: nothing was drawn
    bool depthKnown = false; // every node was tested against this view's depth of an earlier frame
};

// Everything in the game world: the square of chunks around the player, the
// chunks cached after leaving it, the bodies moving through them (the player,
// the cats, Death, the projectiles), and the job system that generates chunks,
// recomputes their visible faces and builds their meshes on worker threads.
// The main thread moves the square, applies voxel edits, uploads finished
// meshes and keeps the chunk count under the memory budget; it never waits for
// a worker beyond a short critical section.
//
// Locks (order: queueMutex before the busy flags' mutex, queueMutex before
// destroyMutex; nobody waits for a mutex while holding the busy flags' mutex):
//   queueMutex   workQueue, activeWorkers, stopping, and changes of `chunks`
//   regionLocks  the busy flags, and changes of `chunks` (held together with queueMutex)
//   uploadMutex  uploadQueue
//   destroyMutex destroyList
//   counterMutex loadedCounter
// The main thread is the only one that changes `chunks` and `chunkCache`, so its
// own reads need no lock; workers read `chunks` only under queueMutex or the
// busy flags' mutex, and otherwise touch only the chunks they hold busy.
class World {
public:
    Camera* camera = nullptr; // not owned; used for culling
    int32_t viewDistance = 2; // the loaded square is (2 viewDistance + 1)^2 chunks
    int32_t cacheSize = 0; // chunkCache size at the start of the last update
    int32_t readyCount = 0; // ready chunks counted in the last update
    int32_t maxChunkCount = 0; // the memory budget in chunks, 15 MB each
    glm::vec3 playerPosition { 0.0f }; // where the square is centred; see update()
    glm::vec2 centerChunk { -10.0f, -10.0f }; // chunk of the player at the last move
    glm::vec3 chunkSize { CHUNK_SIZE };
    bool inDesert = false; // the player's column is desert or a pyramid (codes 8 and 9)
    int columnCode = -1; // terrain code of the player's column, -1 before the first update
    // Told the new code whenever the player's column type changes, the first update
    // included; the game picks the ambience with it.
    std::function<void(int)> onColumnCode;

    ChunkList chunks; // the loaded square, ready or being generated
    ChunkList chunkCache; // chunks that left the square, voxels kept, meshes dropped
    // Handed to a worker for deletion, without their world objects (the main thread
    // deletes those); guarded by destroyMutex.
    ChunkList destroyList;
    // The slab under the player's square that bodies cannot fall through; the
    // streaming move keeps it there.
    WorldFloor worldFloor;
    // The top face of the floor: what shows behind terrain that is not drawn.
    FloorRect floorRect() const;
    // Edits are applied by the main thread, front first. They wait, never drop, while
    // their chunks are busy.
    std::deque<std::unique_ptr<VoxelEdit>> editQueue;
    WorldGenerator generator;
    // Writes the voxels of a prepared chunk on a worker: the generator unless replaced
    // before the first update (tests stream flat ground to stay fast).
    std::function<void(Chunk&)> fillChunk;
    aabb loadedRegion; // world box of the loaded square; empty at the origin before the first move
    // Finished meshes go to GPU buffers; off (the default) the arrays are only freed, for
    // worlds that run without a GL context. The game turns it on.
    bool gpuMeshes = false;

    // The characters: the player, the cats and Death, stepped and moved in this order.
    BodyList entities;
    Player* player = nullptr; // entry of entities, once added
    Death* death = nullptr; // entry of entities, created with the world
    std::vector<std::unique_ptr<Projectile>> projectiles;
    // The game the bodies and world objects act on (not owned); null: none, and
    // the world objects then act on the do-nothing stand-in.
    GameServices* services = nullptr;
    // Where the world shows the interaction hint (not owned; none in tests).
    ButtonHelper* hintDisplay = nullptr;
    bool interactionHint = false; // an interactive object was near the player at the last update

    // Starts `threads` workers (at least one) that wait for jobs.
    explicit World(int32_t viewDistance = gSettings.chunkViewDistance,
        const glm::vec3& chunkSize = gChunkDimensions.chunkSize, int threads = gSettings.threads);
    // Stops and joins every worker before any chunk, job or body is deleted.
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // One frame of the main thread.
    void update(float dt);
    // Draws the world as `view` sees it (once per pass: shadow, then scene): the ready chunks'
    // meshes, the floor, the world objects, then every body but the player. The caller has
    // bound worldShader with its uniforms for world-space vertices (model matrix identity)
    // and the block texture array; the floor sets the three matrices for itself.
    // Returns what the terrain part submitted.
    // With `terrainChosen`, the terrain is what chooseTerrain last chose for this view.
    TerrainDrawStats draw(const Camera& view, const Shader& worldShader, const FrameState& frame,
        const TerrainViewParams& terrain = {}, bool terrainChosen = false);
    // Culls the ready chunks' draw nodes for `view` (see TerrainCulling.h) and draws the shaded
    // ones nearest first, so the depth test rejects hidden terrain before it is shaded. The
    // nodes beyond the fog horizon wait for drawSilhouettes. The terrain part of draw(), and
    // all the shadow pass draws.
    TerrainDrawStats drawTerrain(const Camera& view, const TerrainViewParams& params = {});
    // drawTerrain in two steps, for a pass that may find it has nothing new to draw: what
    // `view` would draw, then the drawing of that choice.
    const TerrainCullResult& chooseTerrain(const Camera& view, const TerrainViewParams& params);
    TerrainDrawStats drawChosenTerrain(const Camera& view, const TerrainViewParams& params);
    // Draws the nodes the last drawTerrain left beyond the fog horizon, with whatever shader
    // the caller bound (one that gives the fog's colour). Returns the triangles drawn.
    size_t drawSilhouettes();
    // What the last drawTerrain chose.
    const TerrainCullResult& lastTerrainCull() const { return terrainCull; }
    // Moves the loaded square to the chunk of (x, z) once every chunk of the old one is
    // ready and free; otherwise it tries again next call. With `mayWait` (only where no
    // frame has to be kept on time: a menu or the loading screen is up) it waits a
    // little for the old square's chunks instead of trying them, and keeps workers off
    // them until it has them.
    void updateStreaming(float x, float z, bool mayWait = false);
    // The square is centred on the chunk of (x, z) (a place it cannot follow, NaN,
    // counts as reached: the square stays where it is).
    bool squareCentredOn(float x, float z) const;
    // The loading screen's part of a frame: uploads finished meshes and moves the
    // square to (x, z), waiting for the old one. True once the square is centred
    // there and loaded (isLoaded).
    bool loadAround(float x, float z);

    // Hands the game to every body the world has and will have.
    void setServices(GameServices* game);
    // What the world objects act on: the game, or the stand-in without one.
    GameServices& game() const;

    // The bodies. Adding one while the world steps its bodies is safe: it joins the
    // list after the pass that is running.
    void addPlayer(std::unique_ptr<Player> body);
    // A freed cat at the position; it is told that it was found.
    Cat* addCat(const glm::vec3& position, bool golden);
    void addProjectile(std::unique_ptr<Projectile> projectile);
    // Deletes up to n cats, the last in the list first; the player's count goes down with each.
    void removeCats(int n);
    // The cat nearest to the player within 2 units, or null.
    Cat* nearestCat() const;
    // Activates every world object of the ready chunks within 2 units of the player.
    void activateNearby();
    // Body placement and line-of-sight against the ready chunks and the characters.
    void placeOnSurface(MovingObject& body, float yFrom, float yTo);
    bool spawnNear(
        MovingObject& body, const glm::vec3& center, float minDistance, float maxDistance, bool requireInView);
    int visibleSampleCount(const MovingObject& body);
    bool collidesWithCharacters(const CollisionObject& body);

    float loadingProgress();
    // Every chunk of the square is ready and no job waits.
    bool isLoaded();
    void resetLoadedCounter();
    // Moves the n cached chunks farthest from centerChunk to destroyList (-1: all of them).
    void queueCacheForDestruction(int n);

    // Workers not waiting for a job (debug overlay).
    int activeWorkerCount();
    // No job waits and no worker runs one, seen at one moment (two separate looks can
    // miss a job one worker hands to the next).
    bool workersIdle();
    // Jobs waiting for a worker, and finished meshes waiting for upload.
    size_t pendingJobs();
    size_t pendingUploads();

    Chunk* findChunk(int32_t cx, int32_t cz) const { return ::findChunk(chunks, cx, cz); }
    float heightAt(const glm::vec3& point) const { return ::heightAt(chunks, point); }
    float rayCast(const Ray& ray) const { return ::rayCast(chunks, ray); }
    bool collidesWithVoxels(const CollisionObject& body) const
    {
        return ::collidesWithVoxels(chunks, body, worldFloor.box);
    }

    // Queues the write of type into every voxel the shape overlaps; the world owns the shape.
    void editVoxels(int32_t type, std::unique_ptr<Geometric_Object> shape);
    // Queues air into the sphere and tells every object of every ready chunk about the blast.
    void carve(const Sphere& sphere);

private:
    // Looks up the player's column type when he steps onto another column.
    void updateColumnCode(float x, float z);
    CollisionScene collisionScene() { return CollisionScene { chunks, worldFloor.box, entities }; }
    void updateBodies(float dt);
    void stepProjectiles(float dt);
    // Bodies added while a pass runs wait here until it ends.
    void joinNewBodies();
    void updateInteractionHint();

    // The loaded square's chunks, in whole chunks: a float box's corner pulled in by a
    // fraction rounds back onto the next chunk once coordinates are large.
    ChunkRange loadedSquare() const { return square_; }
    void processUploads();
    void processVoxelEdits();
    void applyMemoryLimit();
    void scheduleDestruction(int n);
    // Caller holds destroyMutex. The chunks' world objects go to `leaving`, for the
    // caller to delete on the main thread after releasing its locks.
    void moveCacheToDestroyList(int n, WorldobjectList& leaving);
    void cacheChunksOutside(const ChunkRange& square);
    void loadSquare(const ChunkRange& square);

    // The caller holds queueMutex.
    void pushJob(std::unique_ptr<ChunkJob> job);
    void queueFaceUpdate(const aabb& region);
    void queueNeighbourFaceUpdates(int32_t cx, int32_t cz);

    void workerLoop();
    void runJob(ChunkJob& job);
    void generateChunk(Chunk& chunk);
    void updateFaces(ChunkJob& job);
    void buildMeshes(ChunkJob& job);
    void destroyChunks();

    glm::ivec2 lastColumn_ { INT32_MIN, INT32_MIN };
    ChunkRange square_; // empty before the first move
    ChunkCoord centre_; // of square_
    bool moved_ = false; // the square has been placed once
    bool reserving_ = false; // a waiting move holds workers off the old square
    boost::mutex queueMutex_;
    boost::condition_variable workAvailable_;
    std::deque<std::unique_ptr<ChunkJob>> workQueue_;
    int activeWorkers_ = 0;
    bool stopping_ = false;
    RegionLocks regionLocks_;
    boost::mutex uploadMutex_;
    std::deque<std::unique_ptr<ChunkJob>> uploadQueue_;
    boost::mutex destroyMutex_;
    boost::mutex counterMutex_;
    int32_t loadedCounter_ = 0;
    std::vector<std::unique_ptr<boost::thread>> workers_;

    MovingObject* playerBody_ = nullptr; // the player as a body
    bool steppingBodies_ = false;
    TerrainCullResult terrainCull; // the last terrain pass's choice, its storage kept
    TerrainDrawRuns quadRuns; // the quads of one node that a draw keeps, its storage kept
    // What went out of each shaded node before the depth was read (see drawChosenTerrain).
    struct FirstDraw {
        enum Kind : uint8_t { Nothing, Shown, Whole } kind = Nothing;
        size_t triangles = 0; // sent
        size_t outside = 0; // quads left out of the view
    };
    std::vector<FirstDraw> firstDraws;
    // The quads outside the lamp's cone that wait for their program, per mesh, storage kept.
    struct OutsideLampRuns {
        const TerrainMesh* mesh = nullptr;
        TerrainDrawRuns runs;
    };
    std::vector<OutsideLampRuns> outsideLamp;
    size_t outsideLampUsed = 0;
    // The depth the last terrain draw tested against (it holds nothing that is not drawn), or
    // null: what else the pass draws behind the terrain may be tested against it too.
    const DepthTiles* terrainOccluders = nullptr;
    // Per pass that keeps a record of its quads shown: the number of its last frame.
    std::array<uint64_t, TerrainMesh::SHOWN_PASSES> shownFrames {};
    BodyList newEntities_;
    std::vector<std::unique_ptr<Projectile>> newProjectiles_;
};
