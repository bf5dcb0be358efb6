#include "base/Ray.h"
#include "base/Shapes.h"

#include <benchmark/benchmark.h>
#include <glm/geometric.hpp>

// The slab test runs for every octree node a ray visits.
static void BM_RaySlabTest(benchmark::State& state)
{
    const aabb box({ 0, 0, 0 }, { 16, 16, 16 });
    const Ray ray({ -5, 8.3f, 3.1f }, glm::normalize(glm::vec3(1, -0.1f, 0.2f)));
    for (auto _ : state) {
        float t;
        benchmark::DoNotOptimize(ray.hitBox(box, t));
        benchmark::DoNotOptimize(t);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RaySlabTest);
