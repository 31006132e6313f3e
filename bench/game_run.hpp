// Runs the game as a child process the way a player starts it, for benchmarks that measure the
// whole program: in a folder of its own, output discarded, no sound device.
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

struct ChildRun {
    bool ok = false;  // ended by itself with exit status 0
    double wallMs = 0, cpuMs = 0;
    double peakResidentMb = 0;
};

// options come after "velmora"; the player is named Bench.
inline ChildRun RunGameChild(const std::filesystem::path& dir, const std::vector<std::string>& options) {
    ChildRun run;
    std::vector<std::string> args = {"velmora"};
    args.insert(args.end(), options.begin(), options.end());
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(127);
        setenv("username", "Bench", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ALSOFT_DRIVERS", "null", 0);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(VELMORA_BINARY, argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return run;
    run.ok = true;
    run.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.cpuMs = (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1000.0 +
                (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1000.0;
    run.peakResidentMb = double(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in kB on Linux
    return run;
}
