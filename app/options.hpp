// Command-line options of the velmora executable.
#pragma once

#include <cstdint>
#include <string>

struct RunOptions {
    bool virtualClock = false;
    bool haveSeed = false;
    int64_t seed = 0;
    std::string scriptPath;
    int64_t maxFrames = -1;
    std::string playPath;
    std::string editPath;
    bool levelEditor = false;
    bool soak = false;
    int64_t soakSeed = 0;
    bool help = false;
    bool version = false;
};

bool ParseRunOptions(int argc, char** argv, RunOptions& out, std::string& error);
const char* RunOptionsHelp();
