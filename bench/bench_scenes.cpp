// What one frame of each of the game's busy scenes costs, measured on the real program: the
// same scripted run is played to two lengths and the difference is divided by the frames
// between them, so start-up and the way into the scene cancel out. Wall time is what a player
// waits for (the software renderer draws on threads of its own); CPU time is all threads'.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bonus/bonusgame.hpp"
#include "data/users.hpp"
#include "puzzle/levelset.hpp"

#include "game_run.hpp"

namespace {

namespace fs = std::filesystem;

ChildRun RunGame(const fs::path& dir, const std::vector<std::string>& options, int frames) {
    std::vector<std::string> args = {"--virtual-clock", "--seed", "3", "--script", "script.txt"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("--max-frames");
    args.push_back(std::to_string(frames));
    return RunGameChild(dir, args);
}

struct Scene {
    std::vector<std::string> options;
    std::string script;
    int from = 0, to = 0;  // frames of the two runs; the scene is on screen between them
    double target = 8;     // milliseconds of wall time a frame may cost
};

fs::path FreshDir(const std::string& name) {
    auto dir = fs::temp_directory_path() / ("velmora_bench_scene_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "data");
    return dir;
}

void WriteProfile(const fs::path& dir, int32_t background, bool animation, bool map) {
    TUsers users;
    users.FilePath = (dir / "data" / "users.cfg").string();
    users.AddUser("Bench", 100, 80, 1000, background, 0, 0, animation, map, false, false, "", 0, true);
    users.Save();
}

// A pointer drifting over the playfield, as a player's hand does while looking.
std::string Wander(int from, int to) {
    std::ostringstream s;
    for (int f = from; f < to; f += 7) s << f << " move " << 120 + (f * 13) % 330 << " " << 90 + (f * 7) % 300 << "\n";
    return s.str();
}

void Measure(benchmark::State& state, const std::string& name, const std::function<Scene(const fs::path&)>& make) {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const fs::path dir = FreshDir(name);
    const Scene scene = make(dir);
    {
        std::ofstream out(dir / "script.txt");
        out << scene.script;
    }
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        const ChildRun shortRun = RunGame(dir, scene.options, scene.from);
        const ChildRun longRun = RunGame(dir, scene.options, scene.to);
        if (!shortRun.ok || !longRun.ok) {
            state.SkipWithError("the game did not end cleanly");
            break;
        }
        const double frames = scene.to - scene.from;
        wall = (longRun.wallMs - shortRun.wallMs) / frames;
        cpu = (longRun.cpuMs - shortRun.cpuMs) / frames;
        state.SetIterationTime(wall / 1000.0);
    }
    state.counters["wall_ms_per_frame"] = wall;
    state.counters["cpu_ms_per_frame"] = cpu;
    state.counters["target_ms"] = scene.target;
    fs::remove_all(dir);
}

const std::vector<std::string> kFirstSet = {"--play", "incbin::../data/Jewels of Dharma.lvl"};

void BM_SceneSevenTileLevel(benchmark::State& state) {
    Measure(state, "level", [](const fs::path& dir) {
        WriteProfile(dir, 3, false, false);
        return Scene{kFirstSet, Wander(1, 1500), 300, 1500, 3};
    });
}

void BM_SceneLevelWithFog(benchmark::State& state) {
    Measure(state, "fog", [](const fs::path& dir) {
        WriteProfile(dir, 0, true, false);
        return Scene{kFirstSet, Wander(1, 1500), 300, 1500, 4};
    });
}

void BM_SceneProgressMap(benchmark::State& state) {
    Measure(state, "map", [](const fs::path& dir) {
        WriteProfile(dir, 3, false, true);
        return Scene{kFirstSet, Wander(1, 1200), 200, 1200};
    });
}

// A board of mixed symbols, fired into column after column: lines clear and burst.
void BM_SceneBonusBoard(benchmark::State& state) {
    Measure(state, "bonus", [](const fs::path& dir) {
        for (auto& l : LevelShapes) l.clear();
        for (auto& p : LevelProps) p = TLevelProperties();
        auto piece = std::make_shared<Shape>();
        piece->Element = 3;
        piece->X = 200;
        piece->Y = 250;
        LevelShapes[0] = {piece};
        TLevelProperties& p = LevelProps[0];
        p.MiscProperties = MISC_PLAY_FOR_TILES;
        for (int x = 0; x < BONUS_COLUMNS; ++x)
            for (int y = 0; y < BONUS_ROWS; ++y) {
                p.BonusLevelData[x][y] = y < 4 ? (x * 3 + y * 5) % 6 : CELL_EMPTY;
                p.PuzzleTileData[x][y] = MARK_NONE;
            }
        p.PuzzleTileData[3][0] = MARK_YINYANG;
        p.BonusTime = 0;
        WriteLevelSet((dir / "set.lvl").string());
        WriteProfile(dir, 3, false, false);
        std::ostringstream s;
        // "Okay" under "Find the tiles"; this player has seen the board's help.
        s << "0 move 363 365\n40 click left\n";
        for (int f = 150, i = 0; f < 1400; f += 25, ++i)
            s << f << " move " << 150 + (i * 55) % 385 << " 200\n" << f + 5 << " click left\n";
        return Scene{{"--play", "set.lvl"}, s.str(), 300, 1300};
    });
}

void BM_SceneTitle(benchmark::State& state) {
    Measure(state, "title", [](const fs::path&) {
        // A click cuts the story short; the menu is up before frame 700.
        std::string script = "560 click left\n" + Wander(700, 2000);
        return Scene{{}, script, 800, 2000};
    });
}

void BM_SceneEditor(benchmark::State& state) {
    Measure(state, "editor", [](const fs::path&) { return Scene{{"--edit", "mine.lvl"}, Wander(1, 1300), 200, 1300}; });
}

BENCHMARK(BM_SceneSevenTileLevel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SceneLevelWithFog)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SceneProgressMap)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SceneBonusBoard)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SceneTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SceneEditor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
