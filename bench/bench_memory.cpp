// Peak resident memory of a 1,500-frame game on the first embedded level set, as a player
// starts it (new profile, progress map and wisdom on), measured by the kernel for the child.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Returns the child's peak resident set in MB, or -1 when it did not end cleanly.
double PeakOfPlayRun(int frames) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_bench_memory";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string fr = std::to_string(frames);
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
        setenv("username", "Bench", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ALSOFT_DRIVERS", "null", 0);
        execl(VELMORA_BINARY, "velmora", "--virtual-clock", "--seed", "3", "--play",
              "incbin::../data/Jewels of Dharma.lvl", "--max-frames", fr.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return double(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kB on Linux
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
