// Start-up and the main loop.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <thread>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/globals.hpp"
#include "app/intro.hpp"
#include "app/options.hpp"
#include "app/random_player.hpp"
#include "app/script.hpp"
#include "app/startup.hpp"
#include "app/titlescreen.hpp"
#include "data/language.hpp"
#include "data/users.hpp"
#include "editor/editor_entry.hpp"
#include "fx/emitters.hpp"
#include "fx/pointer.hpp"
#include "fx/sfx.hpp"
#include "game/board.hpp"
#include "game/game.hpp"
#include "platform/audio.hpp"
#include "platform/embedded.hpp"
#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "platform/platform_hooks.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/tileset.hpp"
#include "puzzle/unlocks.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/highscore.hpp"
#include "ui/levelselect.hpp"
#include "ui/playerdialogs.hpp"
#include "ui/requester.hpp"

std::string FirstPlayerName(const char* env) {
    std::string out;
    if (!env) return out;
    const auto* p = reinterpret_cast<const unsigned char*>(env);
    while (*p) {
        // One UTF-8 sequence; a malformed one counts as one unknown character.
        uint32_t cp = *p;
        int more = cp < 0x80 ? 0 : (cp >> 5) == 0x6 ? 1 : (cp >> 4) == 0xe ? 2 : (cp >> 3) == 0x1e ? 3 : -1;
        if (more > 0) cp &= 0x3fu >> more;
        ++p;
        for (int i = 0; i < more; ++i, ++p) {
            if ((*p & 0xc0) != 0x80) {
                more = -1;
                break;
            }
            cp = (cp << 6) | (*p & 0x3f);
        }
        out += more < 0 || cp > 0xff ? '?' : char(static_cast<unsigned char>(cp));
    }
    return FilterNameCharacters(out);
}

namespace {

TScript g_script;
bool g_haveScript = false;
int64_t g_maxFrames = -1;
std::unique_ptr<TRandomPlayer> g_soak;
int64_t g_framesShown = 0;

// Soak runs log their memory now and then, so a slow leak shows as a rising column.
// The heap and texture columns tell a leak of our own from memory the driver keeps.
void ReportSoak(int64_t frames) {
    const HeapKb heap = HeapUsageKb();
    const TextureMemory tex = LiveTextureMemory();
    std::printf("Soak frame %lld: resident %lld kB, peak %lld kB, heap %lld kB of %lld kB, %d textures %lld kB\n",
                static_cast<long long>(frames), static_cast<long long>(ResidentKb()),
                static_cast<long long>(PeakResidentKb()), static_cast<long long>(heap.inUse),
                static_cast<long long>(heap.held), tex.count, static_cast<long long>(tex.bytes / 1024));
    std::fflush(stdout);
}

// Start-up time for the benchmark: the launcher passes its clock reading at exec.
void ReportStartup(const char* what, int64_t atNs = 0) {
    const char* execNs = std::getenv("VELMORA_EXEC_NS");
    if (!execNs) return;
    if (!atNs) {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        atNs = int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
    }
    std::printf("startup: %s %.1f ms after exec\n", what, (double(atNs) - std::atof(execNs)) / 1e6);
}

void AfterFlip(int64_t frames) {
    g_framesShown = frames;
    if (frames == 1) ReportStartup("first frame shown");
    if (g_haveScript) g_script.Apply(frames);
    if (g_soak) {
        g_soak->Step(frames);
        if (frames % 10000 == 0 || frames == g_maxFrames) ReportSoak(frames);
    }
    if (g_maxFrames >= 0 && frames >= g_maxFrames) InputClose();
}

// What the main loop has done by the time a menu choice starts a screen: the title's song
// stopped, the player's background and tile set loaded, one dark frame.
void EnterScreenFromTheCommandLine() {
    if (SFX) SFX->Stop(15);
    UserRef player = Users.GetCurrentUser();
    LoadBackground(player->Selected_Background);
    LoadPuzzleset(player->Selected_Puzzleset, true);
    Cls();
    Flip(-1);
}

// --play: one game over the level set at path, started as the main loop's "PLAY" starts it
// once the set is chosen; then the program ends.
[[noreturn]] void PlayOneGame(const std::string& path) {
    EnterScreenFromTheCommandLine();
    CurrLevelSetFile = path;
    {
        TGame game;
        game.InitLevel(true);
        game.Play();
        std::printf("Game ended, set %s\n", game.LevelSetCompleted ? "completed" : "not completed");
    }
    Cls();
    Flip(-1);
    if (SFX) SFX->Stop(15);
    Users.Save();
    QuitProgram(0);
}

// --edit and --level-editor: the editor as the main loop's "LEVEL_EDITOR" starts it, then
// the program ends.
[[noreturn]] void EditOneSet(const std::string& path) {
    EnterScreenFromTheCommandLine();
    if (path.empty())
        RunLevelEditor();
    else
        EditLevelSet(path);
    Cls();
    Flip(-1);
    Users.Save();
    QuitProgram(0);
}

void RunHighscore() { ShowHighscore(); }

// A new title screen and the short intro, which ends in the menu with the player's next choice.
void BackToTitle() {
    TitleScreen = std::make_unique<TTitleScreen>();
    TitleScreen->RunHighscore = RunHighscore;
    TitleScreen->LoadTitleData();
    Intro = std::make_unique<TIntro>();
    Intro->Run(true);
    Intro.reset();
}

[[noreturn]] void MainLoop() {
    // After a completed set the game goes straight back to the level-set selection.
    bool repeat = false;
    std::string action;
    for (;;) {
        if (SFX) SFX->Stop(15);
        if (!repeat) {
            UserRef player = Users.GetCurrentUser();
            LoadBackground(player->Selected_Background);
            LoadPuzzleset(player->Selected_Puzzleset, true);
            action = TitleScreen->Action;
            TitleScreen.reset();
        }
        Cls();
        Flip(-1);
        if (action == "QUIT") {
            Users.Save();
            Language->Write();
            // A soak run stays in one process until its frames are played, so its memory can be
            // followed from start to end; the random player's "Quit" still saves as above.
            if (g_soak && g_maxFrames >= 0 && g_framesShown < g_maxFrames) {
                std::printf("Soak: Quit chosen at frame %lld, back to the title\n",
                            static_cast<long long>(g_framesShown));
                BackToTitle();
                continue;
            }
            Language.reset();
            QuitProgram(0);
        } else if (action == "PLAY") {
            Users.GetCurrentUser()->ProgressMap = true;
            Users.Save();
            RunLevelSelect();
            {
                TGame game;
                game.InitLevel(true);
                game.Play();
                std::printf("Game ended, set %s\n", game.LevelSetCompleted ? "completed" : "not completed");
                repeat = game.LevelSetCompleted;
            }
            Cls();
            Flip(-1);
            if (SFX) SFX->Stop(15);
            if (!repeat) RunHighscore();
        } else if (action == "LEVEL_EDITOR") {
            RunLevelEditor();
        }
        if (!repeat) BackToTitle();
    }
}

}  // namespace

int VelmoraMain(int argc, char** argv) {
    RunOptions opts;
    std::string error;
    if (!ParseRunOptions(argc, argv, opts, error)) {
        std::fprintf(stderr, "velmora: %s\n%s", error.c_str(), RunOptionsHelp());
        return 2;
    }
    if (opts.help) {
        std::printf("%s", RunOptionsHelp());
        return 0;
    }
    if (opts.version) {
        std::printf("Velmora %s\n", VELMORA_VERSION);
        return 0;
    }
    if (!opts.scriptPath.empty()) {
        if (!g_script.Load(opts.scriptPath, error)) {
            std::fprintf(stderr, "velmora: script %s: %s\n", opts.scriptPath.c_str(), error.c_str());
            return 2;
        }
        g_haveScript = true;
    }
    g_maxFrames = opts.maxFrames;
#if defined(__GLIBC__)
    // Decoded pictures and their upload copies are large and short-lived. glibc would otherwise
    // raise its mmap threshold after the first one is freed and keep the later ones in a heap it
    // cannot give back: about 10 MB of peak memory that holds nothing.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    // But the software renderer frees and takes back a few megabytes at the top of the heap every
    // frame; handing them back to the kernel each time cost page faults and TLB flushes on every
    // core, about 3 ms a frame. Keeping up to 4 MB free at the top costs 2 MB of peak memory.
    mallopt(M_TRIM_THRESHOLD, 4 * 1024 * 1024);
#endif
    if (opts.soak) g_soak = std::make_unique<TRandomPlayer>(uint64_t(opts.soakSeed));
    SetVirtualClock(opts.virtualClock);

    // The driver behind the window takes longest to load; it loads beside steps 1 and 2.
    std::thread driverWarmUp(WarmUpGraphicsDriver);

    // 1. Embedded files, shared objects, random seed.
    RegisterEmbeddedFiles();
    CreateSharedObjects();
    // The wall clock, not the time since start: that is nearly the same every run, and so
    // would be the wisdoms and bonus boards.
    SeedRnd(opts.haveSeed ? opts.seed : int64_t(std::time(nullptr)));
    // Filtered and mip-mapped from the first picture on, so zoomed lettering stays smooth.
    SetImageFlags(MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);
    LoadFonts();
    LoadEmitterImages();
    LoadButtonImages();
    MousePointer = std::make_unique<TPointer>();

    // 2. Audio. Probing the sound servers takes a while, so it runs beside the window's
    // opening; nothing plays before the music starts below.
    // SDL's own start-up is not thread-safe, so the SDL-based fallback is chosen back on this
    // thread once the window is open.
    bool openAL = false;
    std::thread audioInit([&openAL] {
        // Decoding the 25 effects belongs here too: the window need not wait for it.
        InitSound();
        // Opening the device is the presence test.
        openAL = SetAudioDriver("OpenAL Default");
    });

    // 3, 4. Window.
    AppTitle(Tx("Velmora"));
    driverWarmUp.join();
    if (!Graphics(kLogicalWidth, kLogicalHeight, 0, 60, 0)) {
        std::fprintf(stderr, "velmora: cannot open the 640 x 480 OpenGL 3.3 window\n");
        audioInit.join();
        return 1;
    }
    SetImageFlags(MASKEDIMAGE | FILTEREDIMAGE | MIPMAPPEDIMAGE);
    HideMouse();
    SetBlend(ALPHABLEND);
    ReportStartup("window open", WindowCreatedNs());
    SetAfterFlipHook(AfterFlip);
    if (g_haveScript) g_script.Apply(0);

    audioInit.join();
    if (!openAL) SetAudioDriver("FreeAudio");
    std::printf("Audio driver: %s\n", AudioDriverName().empty() ? "none" : AudioDriverName().c_str());

    // 5. Profiles; the very first start makes one player.
    Users.FilePath = UserFolder->GetPath() + kUsersFileName;
    Users.Load();
    if (Users.UserList.empty()) {
        std::string name = FirstPlayerName(std::getenv("username"));
        if (name.empty()) name = Tx("New Player");
        if (!Users.CreateFirstUser(name)) std::printf("Could not save the players to %s\n", Users.FilePath.c_str());
    }
    UserRef player = Users.GetCurrentUser();

    // 7. Music.
    StartSong(player.get());

    if (!opts.playPath.empty()) {  // --play
        LoadBoardGraphics();
        PlayOneGame(opts.playPath);
    }

    if (!opts.editPath.empty() || opts.levelEditor) {  // --edit, --level-editor
        LoadBoardGraphics();
        EditOneSet(opts.editPath);
    }

    // 6. The title screen and its dialogs are made while the logo shows, so that their pictures
    // do not hold back the first frame.
    Intro = std::make_unique<TIntro>();
    Intro->WhileLogoShows = [] {
        TitleScreen = std::make_unique<TTitleScreen>();
        TitleScreen->RunHighscore = RunHighscore;
        TitleScreen->LoadTitleData();
    };

    // 8. Intro, then the puzzle-screen pictures.
    Intro->Run(false);
    LoadBoardGraphics();
    Intro.reset();

    // 9.
    MainLoop();
}
