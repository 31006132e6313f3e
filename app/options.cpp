#include "app/options.hpp"

#include <charconv>
#include <cstring>

namespace {
bool ParseNumber(const char* s, int64_t& out) {
    const char* end = s + std::strlen(s);
    auto r = std::from_chars(s, end, out);
    return r.ec == std::errc() && r.ptr == end;
}
}  // namespace

bool ParseRunOptions(int argc, char** argv, RunOptions& out, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                error = a + " needs " + what;
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--virtual-clock") {
            out.virtualClock = true;
        } else if (a == "--seed") {
            const char* v = value("a number");
            if (!v) return false;
            if (!ParseNumber(v, out.seed)) {
                error = "--seed needs a number, got \"" + std::string(v) + "\"";
                return false;
            }
            out.haveSeed = true;
        } else if (a == "--script") {
            const char* v = value("a file");
            if (!v) return false;
            out.scriptPath = v;
        } else if (a == "--max-frames") {
            const char* v = value("a number");
            if (!v) return false;
            if (!ParseNumber(v, out.maxFrames) || out.maxFrames < 0) {
                error = "--max-frames needs a number of frames, got \"" + std::string(v) + "\"";
                return false;
            }
        } else if (a == "--play") {
            const char* v = value("a level-set path");
            if (!v) return false;
            out.playPath = v;
        } else if (a == "--edit") {
            const char* v = value("a level-set path");
            if (!v) return false;
            out.editPath = v;
        } else if (a == "--level-editor") {
            out.levelEditor = true;
        } else if (a == "--soak") {
            const char* v = value("a seed");
            if (!v) return false;
            if (!ParseNumber(v, out.soakSeed)) {
                error = "--soak needs a number, got \"" + std::string(v) + "\"";
                return false;
            }
            out.soak = true;
        } else if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else {
            error = "unknown option \"" + a + "\"";
            return false;
        }
    }
    return true;
}

const char* RunOptionsHelp() {
    return "usage: velmora [options]\n"
           "  --virtual-clock   the clock follows the frames (1000/60 ms each); no waiting\n"
           "  --seed N          seed the random generator with N\n"
           "  --script FILE     take input from a script as well (see docs/scripting.md)\n"
           "  --max-frames N    close after N frames\n"
           "  --play PATH       play the level set at PATH (a file or an incbin:: path)\n"
           "  --edit PATH       edit the level set at PATH (made empty when missing), then end\n"
           "  --level-editor    open the level editor's set chooser as the title menu does, then end\n"
           "  --soak SEED       a random player drives pointer, wheel and keys (soak tests)\n"
           "  --version         print the version\n";
}
