// Peak resident memory of a 1,500-frame game on the first embedded level set, as a player
// starts it (new profile, progress map and wisdom on), measured by the kernel for the child.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game_run.hpp"

namespace {

// Returns the child's peak resident set in MB, or -1 when it did not end cleanly.
double PeakOfPlayRun(int frames) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_bench_memory";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const ChildRun run =
        RunGameChild(dir, {"--virtual-clock", "--seed", "3", "--play", "incbin::../data/Jewels of Dharma.lvl",
                           "--max-frames", std::to_string(frames)});
    return run.ok ? run.peakResidentMb : -1;
}

void BM_PeakResidentPlay1500(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    double peak = 0;
    for (auto _ : state) {
        double mb = PeakOfPlayRun(1500);
        if (mb < 0) {
            state.SkipWithError("the game did not end cleanly");
            return;
        }
        peak = std::max(peak, mb);
    }
    state.counters["peak_resident_MB"] = peak;
    state.counters["target_MB"] = 100;
}
BENCHMARK(BM_PeakResidentPlay1500)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
