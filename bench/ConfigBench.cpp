#include "app/Config.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Every key rescans the file from its start, so start-up time grows with
// 18 x the file size when the keys stand at its end.
void BM_LoadSettings(benchmark::State& state)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("mossgrave_config_bench_" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream file(path, std::ios::binary);
        for (int64_t bytes = 0; bytes < state.range(0); bytes += 26)
            file << "filler_word=12 more\twords\n";
        std::ostringstream discard;
        Config(discard, discard).loadSettings({ { 1920, 1080 } }, gSettings, path.string());
    }
    const auto size = static_cast<int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        std::ostringstream out, err;
        Settings settings;
        benchmark::DoNotOptimize(Config(out, err).loadSettings({ { 1920, 1080 } }, settings, path.string()));
    }
    state.SetBytesProcessed(state.iterations() * size * 18);
    state.counters["file_bytes"] = static_cast<double>(size);
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadSettings)->Arg(1000)->Arg(4'000'000)->Unit(benchmark::kMillisecond);

} // namespace
