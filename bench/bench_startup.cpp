// Start-up figures: exec to the window and to the first frame on screen (the first frame of the
// intro's logo), and a one-frame run from exec to exit.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

double NowNs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// Runs velmora --virtual-clock --max-frames 1 in a scratch folder; returns exec-to-exit ms and
// sets firstFrameMs from the game's own report.
double RunOnce(double& windowMs, double& firstFrameMs) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_bench_startup";
    std::filesystem::create_directories(dir);
    std::string log = (dir / "out.txt").string();
    double start = NowNs();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        FILE* f = std::freopen(log.c_str(), "w", stdout);
        (void)f;
        std::freopen("/dev/null", "w", stderr);
        setenv("VELMORA_EXEC_NS", std::to_string(static_cast<long long>(start)).c_str(), 1);
        // VELMORA_BENCH_BINARY measures another build (an older one, for a before-and-after).
        const char* binary = std::getenv("VELMORA_BENCH_BINARY");
        execl(binary ? binary : VELMORA_BINARY, "velmora", "--virtual-clock", "--max-frames", "1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    double ms = (NowNs() - start) / 1e6;
    std::ifstream in(log);
    std::string line;
    firstFrameMs = windowMs = -1;
    while (std::getline(in, line)) {
        if (line.rfind("startup: first frame shown ", 0) == 0) firstFrameMs = std::atof(line.c_str() + 27);
        if (line.rfind("startup: window open ", 0) == 0) windowMs = std::atof(line.c_str() + 21);
    }
    return ms;
}

void BM_StartupToExit(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    double window = 0, first = 0, windowSum = 0, firstSum = 0;
    int n = 0;
    for (auto _ : state) {
        state.SetIterationTime(RunOnce(window, first) / 1000.0);
        windowSum += window;
        firstSum += first;
        ++n;
    }
    state.counters["window_open_ms"] = n ? windowSum / n : 0;
    state.counters["first_frame_ms"] = n ? firstSum / n : 0;
}
BENCHMARK(BM_StartupToExit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
