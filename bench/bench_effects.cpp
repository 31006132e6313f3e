// What each ambient animation adds to a frame of the puzzle game: a seven-tile level played
// frame by frame, once with the background animation off and once with it on, per background.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/ambient.hpp"
#include "fx/pointer.hpp"
#include "game/board.hpp"
#include "game/game.hpp"
#include "platform/embedded.hpp"
#include "platform/graphics.hpp"
#include "platform/random.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/tileset.hpp"
#include "puzzle/unlocks.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/requester.hpp"

namespace {

ShapeRef Piece(int element, float x, float y, float rotation) {
    auto s = std::make_shared<Shape>();
    s->Element = element;
    s->X = x;
    s->Y = y;
    s->Rotation = rotation;
    return s;
}

bool SetUpGame() {
    static bool done = false, ok = false;
    if (done) return ok;
    done = true;
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    RegisterEmbeddedFiles();
    SetGraphicsOptions({true});
    SetVirtualClock(true);  // no pacing: measure the work alone
    if (!Graphics(kLogicalWidth, kLogicalHeight, 0, 60, 0)) return false;
    SetImageFlags(MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);
    SetBlend(ALPHABLEND);
    SeedRnd(5);
    Language = std::make_unique<TLanguage>();
    LoadFonts();
    LoadButtonImages();
    MousePointer = std::make_unique<TPointer>();
    LoadBoardGraphics();
    LoadPuzzleset(0, false);

    auto dir = std::filesystem::temp_directory_path() / "velmora_bench_effects";
    std::filesystem::create_directories(dir);
    Users.RemoveAllUsers();
    Users.FilePath = (dir / "users.cfg").string();
    Users.AddNewUser("Bench");
    CurrentUserIndex = 0;
    UserRef player = Users.GetCurrentUser();
    player->ProgressMap = player->Wisdoms = player->Tutorial = false;

    for (auto& l : LevelShapes) l.clear();
    for (auto& p : LevelProps) p = TLevelProperties();
    // A whole tangram: two large triangles, the medium one, two small ones, square, parallelogram.
    LevelShapes[0] = {Piece(0, 150, 200, 0),   Piece(0, 250, 200, 90), Piece(1, 200, 320, 180), Piece(2, 300, 300, 45),
                      Piece(2, 120, 330, 270), Piece(3, 320, 150, 0),  Piece(4, 200, 110, 0)};
    LevelProps[0].GameTime = 0;
    CurrLevelSetFile = (dir / "seven.lvl").string();
    ok = WriteLevelSet(CurrLevelSetFile);
    Ambient();  // the effects' pictures load once, outside the measurement
    return ok;
}

// Arguments: background 0 to 5, animation 0 or 1.
void BM_LevelFrame(benchmark::State& state) {
    if (!SetUpGame()) {
        state.SkipWithError("no OpenGL or no level");
        return;
    }
    UserRef player = Users.GetCurrentUser();
    player->Selected_Background = int32_t(state.range(0));
    player->BackgroundAnimation = state.range(1) != 0;
    LoadBackground(player->Selected_Background);
    TGame game;
    game.InitLevel(true);
    game.Fade = 1.05f;
    game.GameState = PLAY_GAME;
    // Warm up: every texture uploaded, the caption gone.
    for (int i = 0; i < 120; ++i) game.Frame();
    for (auto _ : state) {
        game.Frame();
        benchmark::DoNotOptimize(GrabPixmap(0, 0, 1, 1));
    }
    game.QuitGame = true;
}
BENCHMARK(BM_LevelFrame)
    ->ArgNames({"background", "animation"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// The effect alone over its background picture, against the picture alone (background 6 has
// no effect): the part of the level frame above that the animation adds, with less noise.
void BM_EffectOverBackground(benchmark::State& state) {
    if (!SetUpGame()) {
        state.SkipWithError("no OpenGL or no level");
        return;
    }
    const int32_t bg = int32_t(state.range(0));
    LoadBackground(bg < 6 ? bg : 0);
    for (int i = 0; i < 60; ++i) RenderAmbientEffect(bg);
    for (auto _ : state) {
        Cls();
        DrawImage(BackgroundImage, 0, 0);
        RenderAmbientEffect(bg);
        benchmark::DoNotOptimize(GrabPixmap(0, 0, 1, 1));
        Flip(0);
    }
}
BENCHMARK(BM_EffectOverBackground)->ArgName("background")->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace
