// velmora-sfxgen [--out DIR] [--font SF2] [NAME...]: writes the 25 effects and the three
// songs (or only the named files) as Ogg Vorbis, with balanced levels, and prints a
// level report. Running it twice gives byte-identical files.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "effects.hpp"
#include "oggout.hpp"
#include "score.hpp"

using namespace sfx;

namespace {

constexpr double kClickPeakDb = -1.5;
constexpr double kCeilingDb = -1.0;
constexpr double kSongLufs = -18.0;

struct SongFile {
    const char* file;
    const char* score;
};
constexpr SongFile kSongs[] = {{"song1.ogg", "song1.txt"}, {"song2.ogg", "song2.txt"}, {"song3.ogg", "song3.txt"}};

void EvenChannels(Sound& s) {
    size_t n = 0;
    for (auto& c : s.ch) n = std::max(n, c.size());
    s.Resize(n);
}

void Report(const std::string& name, const Sound& s) {
    std::printf("%-18s %dch %6.2fs  peak %6.1f dBFS  loudest100ms %6.1f LUFS  integrated %6.1f LUFS\n", name.c_str(),
                s.Channels(), double(s.Frames()) / kRate, GainToDb(s.Peak()), MaxMomentaryLufs(s, 0.1),
                IntegratedLufs(s));
}

}  // namespace

int main(int argc, char** argv) {
    std::string out = std::string(SFXGEN_ASSETS) + "/sfx", font = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            out = argv[++i];
        else if (!std::strcmp(argv[i], "--font") && i + 1 < argc)
            font = argv[++i];
        else
            only.push_back(argv[i]);
    }
    auto wanted = [&](const std::string& f) {
        return only.empty() || std::find(only.begin(), only.end(), f) != only.end();
    };
    try {
        // Every effect is levelled against the click, the sound players hear most.
        Sound click = Effects().front().make();
        EvenChannels(click);
        click.Scale(DbToGain(kClickPeakDb) / click.Peak());
        const double clickLoudness = MaxMomentaryLufs(click, 0.1);
        for (auto& e : Effects()) {
            if (!wanted(e.file)) continue;
            Sound s = e.make();
            EvenChannels(s);
            double gain = DbToGain(clickLoudness + e.relativeDb - MaxMomentaryLufs(s, 0.1));
            gain = std::min(gain, DbToGain(kCeilingDb) / s.Peak());
            s.Scale(gain);
            WriteOgg(out + "/" + e.file, s, e.loop ? 0.3f : 0.4f, e.file);
            Report(e.file, s);
        }
        for (auto& song : kSongs) {
            if (!wanted(song.file)) continue;
            RenderedSong r = RenderScore(std::string(SFXGEN_SCORES) + "/" + song.score, font);
            double gain = DbToGain(kSongLufs - IntegratedLufs(r.audio));
            if (r.audio.Peak() * gain > DbToGain(kCeilingDb)) {
                std::fprintf(stderr, "velmora-sfxgen: %s held below the ceiling, quieter than %.0f LUFS\n", song.file,
                             kSongLufs);
                gain = DbToGain(kCeilingDb) / r.audio.Peak();
            }
            r.audio.Scale(gain);
            WriteOgg(out + "/" + song.file, r.audio, 0.3f, r.title);
            Report(song.file, r.audio);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-sfxgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
