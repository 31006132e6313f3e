// Whole games run as a player runs them: "velmora --play" on a level set, driven by an input
// script on the virtual clock, and what its debug log and saved profile say afterwards.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/users.hpp"
#include "platform/stream.hpp"
#include "puzzle/levelset.hpp"

namespace playrun {

namespace fs = std::filesystem;

inline ShapeRef Piece(int element, float x, float y, float rotation) {
    auto s = std::make_shared<Shape>();
    s->Element = element;
    s->X = x;
    s->Y = y;
    s->Rotation = rotation;
    s->R = s->G = s->B = 255;
    s->Pickable = false;
    return s;
}

struct GameRun {
    fs::path dir;
    int exitCode = -1;
    std::string log;
};

// Runs the game in dir with the given options, a script and a frame limit, as a player named
// Tester whose first start it may be.
inline GameRun RunScripted(const fs::path& dir, const std::string& options, const std::string& script, int maxFrames) {
    GameRun r;
    r.dir = dir;
    {
        StreamRef s = WriteStream((dir / "script.txt").string());
        s->WriteString(script);
    }
    std::string cmd = "cd '" + dir.string() +
                      "' && username=Tester SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null '" +
                      std::string(VELMORA_BINARY) + "' --virtual-clock --seed 5 " + options + " --script script.txt" +
                      " --max-frames " + std::to_string(maxFrames) + " > run.log 2>&1";
    r.exitCode = std::system(cmd.c_str());
    std::ifstream in(dir / "run.log");
    r.log.assign(std::istreambuf_iterator<char>(in), {});
    return r;
}

inline GameRun PlayScripted(const fs::path& dir, const std::string& script, int maxFrames) {
    return RunScripted(dir, "--play set.lvl", script, maxFrames);
}

// Frame in which the log line "<what> (frame N)" was written first, or -1.
inline int64_t FrameOf(const std::string& log, const std::string& what) {
    const std::string key = what + " (frame ";
    size_t pos = log.find(key);
    if (pos == std::string::npos) return -1;
    return std::atoll(log.c_str() + pos + key.size());
}

// The "Level N complete with S seconds left: score A -> B (frame F)" lines of the log.
struct Completion {
    int level = 0, secondsLeft = 0, before = 0, after = 0;
    long long frame = 0;
};
inline std::vector<Completion> Completions(const std::string& log) {
    std::vector<Completion> out;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        Completion c;
        if (std::sscanf(line.c_str(), "Level %d complete with %d seconds left: score %d -> %d (frame %lld)", &c.level,
                        &c.secondsLeft, &c.before, &c.after, &c.frame) == 5)
            out.push_back(c);
    }
    return out;
}

inline UserRef SavedPlayer(const fs::path& dir) {
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    if (!users.Load() || users.UserList.empty()) return nullptr;
    return users.UserList[0];
}

// A returning player without map, wisdoms and tutorial, so the level starts at once.
inline void WritePlayer(const fs::path& dir, int32_t score, int32_t background = 0, bool animation = true,
                        bool tutorial = false) {
    fs::create_directories(dir / "data");
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    ASSERT_TRUE(
        users.AddUser("Tester", 100, 80, score, background, 0, 0, animation, false, false, tutorial, "", 0, false));
    ASSERT_TRUE(users.Save());
}

inline int32_t VirtualMs(int64_t frame) { return int32_t(frame * 1000 / 60); }

inline int Count(const std::string& log, const std::string& what) {
    int n = 0;
    for (size_t pos = log.find(what); pos != std::string::npos; pos = log.find(what, pos + 1)) ++n;
    return n;
}

inline fs::path FreshDir(const std::string& name) {
    // The process id keeps runs of the suite from different checkouts out of each other's way.
    auto dir = fs::temp_directory_path() / ("velmora_game_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

}  // namespace playrun
