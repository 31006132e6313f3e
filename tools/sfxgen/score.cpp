#include "score.hpp"

#include <fluidsynth.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "effects.hpp"

namespace sfx {

namespace {

struct Voice {
    std::string name;
    int channel = 0, bank = 0, program = 0;
    int vol = 100, pan = 64, reverb = 40, chorus = 0;
    double hold = 1.0;
    int vel = 80, human = 0;
};

struct PhraseNote {
    double beat, dur;
    std::vector<int> keys;
    int vel;  // 0 = the voice's default
};

struct Phrase {
    std::vector<PhraseNote> notes;
    double length = 0;
};

struct NoteEvent {
    double beat, dur;
    int key, vel;
    size_t voice;
};

struct Bowl {
    double beat, hz, db;
};

struct Score {
    std::string title = "untitled";
    double tempo = 60, meter = 4, bars = 0, tail = 8;
    std::vector<Voice> voices;
    std::map<std::string, Phrase> phrases;
    std::vector<NoteEvent> notes;
    std::vector<Bowl> bowls;
    double windDb = -200;
};

[[noreturn]] void Fail(int line, const std::string& what) {
    throw std::runtime_error("score line " + std::to_string(line) + ": " + what);
}

double ParseNumber(const std::string& s, int line) {
    try {
        size_t used = 0;
        const auto slash = s.find('/');
        if (slash != std::string::npos) {
            const double a = std::stod(s.substr(0, slash)), b = std::stod(s.substr(slash + 1));
            if (b == 0) Fail(line, "division by zero in " + s);
            return a / b;
        }
        const double v = std::stod(s, &used);
        if (used != s.size()) Fail(line, "not a number: " + s);
        return v;
    } catch (const std::invalid_argument&) {
        Fail(line, "not a number: " + s);
    } catch (const std::out_of_range&) {
        Fail(line, "number out of range: " + s);
    }
}

// "C#4" -> 61; a plain number is taken as a MIDI key (drum kits).
int ParsePitch(const std::string& s, int line) {
    if (s.empty()) Fail(line, "empty pitch");
    if (std::isdigit(static_cast<unsigned char>(s[0]))) {
        const int k = int(ParseNumber(s, line));
        if (k < 0 || k > 127) Fail(line, "key out of range: " + s);
        return k;
    }
    static const int base[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    const char n = char(std::toupper(static_cast<unsigned char>(s[0])));
    if (n < 'A' || n > 'G') Fail(line, "bad pitch: " + s);
    int pc = base[n - 'A'];
    size_t i = 1;
    if (i < s.size() && s[i] == '#')
        pc++, i++;
    else if (i < s.size() && s[i] == 'b')
        pc--, i++;
    if (i >= s.size()) Fail(line, "pitch without octave: " + s);
    const int key = 12 * (int(ParseNumber(s.substr(i), line)) + 1) + pc;
    if (key < 0 || key > 127) Fail(line, "pitch out of range: " + s);
    return key;
}

// BAR or BAR:BEAT, 1-based, to beats from the start.
double ParsePos(const Score& sc, const std::string& s, int line) {
    const auto colon = s.find(':');
    const double bar = ParseNumber(s.substr(0, colon), line);
    const double beat = colon == std::string::npos ? 1.0 : ParseNumber(s.substr(colon + 1), line);
    if (bar < 1 || beat < 1) Fail(line, "positions count from 1: " + s);
    return (bar - 1) * sc.meter + (beat - 1);
}

void ParsePhraseTokens(Phrase& ph, double& dur, std::istringstream& in, int line) {
    std::string tok;
    while (in >> tok) {
        if (tok == "|") continue;
        int vel = 0;
        const auto at = tok.find('@');
        if (at != std::string::npos) {
            vel = int(ParseNumber(tok.substr(at + 1), line));
            if (vel < 1 || vel > 127) Fail(line, "velocity out of range: " + tok);
            tok = tok.substr(0, at);
        }
        const auto colon = tok.find(':');
        if (colon != std::string::npos) {
            dur = ParseNumber(tok.substr(colon + 1), line);
            if (dur <= 0) Fail(line, "duration must be positive: " + tok);
            tok = tok.substr(0, colon);
        }
        if (tok != "r") {
            PhraseNote n{ph.length, dur, {}, vel};
            std::istringstream keys(tok);
            std::string k;
            while (std::getline(keys, k, '+')) n.keys.push_back(ParsePitch(k, line));
            ph.notes.push_back(std::move(n));
        }
        ph.length += dur;
    }
}

Score Parse(const std::string& path) {
    std::ifstream f(path);
    if (!f) throw std::runtime_error("cannot open score " + path);
    Score sc;
    std::string raw;
    int line = 0;
    Phrase* open = nullptr;
    double openDur = 1;
    while (std::getline(f, raw)) {
        ++line;
        if (auto hash = raw.find('#'); hash != std::string::npos) raw.resize(hash);
        std::istringstream in(raw);
        std::string cmd;
        if (!(in >> cmd)) continue;
        if (open) {
            if (cmd == "end") {
                open = nullptr;
                continue;
            }
            std::istringstream again(raw);
            ParsePhraseTokens(*open, openDur, again, line);
            continue;
        }
        auto word = [&]() {
            std::string w;
            if (!(in >> w)) Fail(line, "missing argument to " + cmd);
            return w;
        };
        if (cmd == "title") {
            std::getline(in >> std::ws, sc.title);
        } else if (cmd == "tempo") {
            sc.tempo = ParseNumber(word(), line);
        } else if (cmd == "meter") {
            sc.meter = ParseNumber(word(), line);
        } else if (cmd == "bars") {
            sc.bars = ParseNumber(word(), line);
        } else if (cmd == "tail") {
            sc.tail = ParseNumber(word(), line);
        } else if (cmd == "wind") {
            sc.windDb = ParseNumber(word(), line);
        } else if (cmd == "voice") {
            Voice v;
            v.name = word();
            std::string key;
            bool drums = false;
            while (in >> key) {
                if (key == "drums") {
                    drums = true;
                    continue;
                }
                std::string val;
                if (!(in >> val)) Fail(line, "missing value for " + key);
                const int iv = int(ParseNumber(val, line));
                if (key == "program")
                    v.program = iv;
                else if (key == "bank")
                    v.bank = iv;
                else if (key == "vol")
                    v.vol = iv;
                else if (key == "pan")
                    v.pan = iv;
                else if (key == "reverb")
                    v.reverb = iv;
                else if (key == "chorus")
                    v.chorus = iv;
                else if (key == "vel")
                    v.vel = iv;
                else if (key == "human")
                    v.human = iv;
                else if (key == "hold")
                    v.hold = ParseNumber(val, line);
                else
                    Fail(line, "unknown voice setting " + key);
            }
            int melodic = 0;
            for (auto& o : sc.voices) melodic += o.channel != 9;
            if (drums) {
                v.channel = 9, v.bank = 128;
            } else {
                v.channel = melodic >= 9 ? melodic + 1 : melodic;
                if (v.channel > 15) Fail(line, "too many voices");
            }
            sc.voices.push_back(v);
        } else if (cmd == "phrase") {
            const std::string name = word();
            open = &sc.phrases[name];
            *open = Phrase{};
            openDur = 1;
        } else if (cmd == "play") {
            const std::string vname = word();
            auto vit = std::find_if(sc.voices.begin(), sc.voices.end(), [&](auto& v) { return v.name == vname; });
            if (vit == sc.voices.end()) Fail(line, "unknown voice " + vname);
            double beat = ParsePos(sc, word(), line);
            std::vector<const Phrase*> seq;
            int times = 1, tr = 0, dvel = 0;
            std::string tok;
            while (in >> tok) {
                if (tok.size() > 1 && tok[0] == 'x' && std::isdigit(static_cast<unsigned char>(tok[1])))
                    times = int(ParseNumber(tok.substr(1), line));
                else if (tok == "tr")
                    tr = int(ParseNumber(word(), line));
                else if (tok == "vel")
                    dvel = int(ParseNumber(word(), line));
                else {
                    auto pit = sc.phrases.find(tok);
                    if (pit == sc.phrases.end()) Fail(line, "unknown phrase " + tok);
                    seq.push_back(&pit->second);
                }
            }
            if (seq.empty()) Fail(line, "play needs a phrase");
            for (int t = 0; t < times; ++t)
                for (auto* ph : seq) {
                    for (auto& n : ph->notes)
                        for (int k : n.keys)
                            sc.notes.push_back({beat + n.beat, n.dur, std::clamp(k + tr, 0, 127),
                                                std::clamp((n.vel ? n.vel : vit->vel) + dvel, 1, 127),
                                                size_t(vit - sc.voices.begin())});
                    beat += ph->length;
                }
        } else if (cmd == "bowl") {
            const double beat = ParsePos(sc, word(), line);
            const std::string p = word();
            sc.bowls.push_back({beat, NoteHz(ParsePitch(p, line)), ParseNumber(word(), line)});
        } else {
            Fail(line, "unknown command " + cmd);
        }
    }
    if (open) Fail(line, "phrase not closed with end");
    if (sc.bars <= 0 || sc.tempo <= 0 || sc.meter <= 0)
        throw std::runtime_error(path + ": needs tempo, meter and bars");
    return sc;
}

uint64_t Hash(const std::string& s) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

struct MidiEvent {
    size_t frame;
    int on;  // offs sort first so a repeated key is released before it strikes again
    int channel, key, vel;
    bool operator<(const MidiEvent& o) const {
        return std::tie(frame, on, channel, key) < std::tie(o.frame, o.on, o.channel, o.key);
    }
};

}  // namespace

RenderedSong RenderScore(const std::string& scorePath, const std::string& soundFont) {
    const Score sc = Parse(scorePath);
    const double secPerBeat = 60.0 / sc.tempo, loopBeats = sc.bars * sc.meter;
    const size_t loop = Samples(loopBeats * secPerBeat), total = loop + Samples(sc.tail);
    auto frameOf = [&](double beat) { return Samples(std::fmod(beat, loopBeats) * secPerBeat); };

    // Note-offs are cut at the next strike of the same key on the same channel, or the
    // synth would end the newer note early.
    Rng rng(Hash(sc.title));
    std::vector<MidiEvent> ev;
    std::map<std::pair<int, int>, std::vector<std::pair<size_t, size_t>>> byKey;
    for (auto& n : sc.notes) {
        const Voice& v = sc.voices[n.voice];
        const int vel = std::clamp(n.vel + int(std::lround(rng.Bi() * v.human)), 1, 127);
        const size_t on = frameOf(n.beat), off = on + std::max<size_t>(1, Samples(n.dur * v.hold * secPerBeat));
        ev.push_back({on, 1, v.channel, n.key, vel});
        byKey[{v.channel, n.key}].push_back({on, off});
    }
    for (auto& [ck, spans] : byKey) {
        std::sort(spans.begin(), spans.end());
        for (size_t i = 0; i < spans.size(); ++i) {
            size_t off = spans[i].second;
            if (i + 1 < spans.size()) off = std::min(off, spans[i + 1].first);
            ev.push_back({std::max(off, spans[i].first), 0, ck.first, ck.second, 0});
        }
    }
    std::sort(ev.begin(), ev.end());

    std::unique_ptr<fluid_settings_t, void (*)(fluid_settings_t*)> st(new_fluid_settings(), delete_fluid_settings);
    fluid_settings_setnum(st.get(), "synth.sample-rate", kRate);
    fluid_settings_setnum(st.get(), "synth.gain", 0.5);
    fluid_settings_setint(st.get(), "synth.polyphony", 256);
    fluid_settings_setint(st.get(), "synth.cpu-cores", 1);
    fluid_settings_setint(st.get(), "synth.reverb.active", 1);
    fluid_settings_setnum(st.get(), "synth.reverb.room-size", 0.75);
    fluid_settings_setnum(st.get(), "synth.reverb.damp", 0.35);
    fluid_settings_setnum(st.get(), "synth.reverb.width", 1.0);
    fluid_settings_setnum(st.get(), "synth.reverb.level", 0.7);
    fluid_settings_setint(st.get(), "synth.chorus.active", 1);
    std::unique_ptr<fluid_synth_t, void (*)(fluid_synth_t*)> syn(new_fluid_synth(st.get()), delete_fluid_synth);
    if (!syn) throw std::runtime_error("cannot create the synthesiser");
    const int sfid = fluid_synth_sfload(syn.get(), soundFont.c_str(), 1);
    if (sfid == FLUID_FAILED) throw std::runtime_error("cannot load sound font " + soundFont);
    for (auto& v : sc.voices) {
        if (fluid_synth_program_select(syn.get(), v.channel, sfid, v.bank, v.program) != FLUID_OK)
            throw std::runtime_error("no preset " + std::to_string(v.bank) + ":" + std::to_string(v.program));
        fluid_synth_cc(syn.get(), v.channel, 7, std::clamp(v.vol, 0, 127));
        fluid_synth_cc(syn.get(), v.channel, 10, std::clamp(v.pan, 0, 127));
        fluid_synth_cc(syn.get(), v.channel, 91, std::clamp(v.reverb, 0, 127));
        fluid_synth_cc(syn.get(), v.channel, 93, std::clamp(v.chorus, 0, 127));
    }

    Sound out(2, total);
    size_t cursor = 0;
    auto renderTo = [&](size_t frame) {
        if (frame <= cursor) return;
        const int n = int(frame - cursor);
        fluid_synth_write_float(syn.get(), n, out.ch[0].data(), int(cursor), 1, out.ch[1].data(), int(cursor), 1);
        cursor = frame;
    };
    for (auto& e : ev) {
        renderTo(std::min(e.frame, total));
        if (e.on)
            fluid_synth_noteon(syn.get(), e.channel, e.key, e.vel);
        else
            fluid_synth_noteoff(syn.get(), e.channel, e.key);
    }
    renderTo(total);

    int bowlNo = 0;
    for (auto& b : sc.bowls)
        out.Mix(SingingBowl(b.hz, 12.0, Hash(sc.title) + uint64_t(bowlNo++)), frameOf(b.beat), DbToGain(b.db));
    FoldCircular(out, loop);

    if (sc.windDb > -100) {
        const size_t fade = Samples(2.0);
        Sound wind = WindBed(double(loop + fade) / kRate, Hash(sc.title) ^ 0x77);
        FoldCrossfade(wind, loop, fade);
        out.Mix(wind, 0, DbToGain(sc.windDb));
    }
    return {sc.title, std::move(out)};
}

}  // namespace sfx
