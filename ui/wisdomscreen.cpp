#include "ui/wisdomscreen.hpp"

#include "data/language.hpp"
#include "platform/random.hpp"
#include "ui/bitmapfont.hpp"

namespace {
constexpr float kMaxLineWidth = 500;
constexpr float kLineStep = 56;  // headline cells are 64 high; lines overlap by 8
constexpr float kCell = 64;
}  // namespace

Wisdomscreen::Wisdomscreen() {
    bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    screen = LoadImage("incbin::../gfx/wisdoms.jpg");
    AutoMidHandle(mid);
    Wisdoms = TIni::Read("incbin::../data/wisdoms.ini");
    if (!Wisdoms) StopWithError("Wisdoms.ini not found");
    seek = Wisdoms->GetSeek("English");
    anzahl = std::atoi(Wisdoms->GetValue(seek, "Anzahl", "0").c_str());
    // Without sayings there is nothing to pick; the screen then shows the picture alone.
    nummer = anzahl > 0 ? Rand(1, anzahl) : 0;
    text = Wisdoms->GetValue(seek, std::to_string(nummer), "");
    lineno = -1;
    stp = 80;
}

std::vector<Wisdomscreen::Line> Wisdomscreen::LayOut(const std::string& text, const TBitmapFont& font, float y,
                                                     int32_t revealed, int32_t step, int32_t& breaks) {
    std::vector<Line> out;
    breaks = 0;
    std::string c, w;
    int32_t k = 0;
    auto emit = [&](const std::string& s) {
        Line l;
        l.text = s;
        l.y = y;
        l.drawn = k <= revealed;
        l.alpha = k == revealed ? float(step) / 100.0f : 1.0f;
        out.push_back(l);
    };
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        char ch = text[i];
        if (ch != '\\') w.push_back(ch);
        bool newline = ch == '\\' && i + 1 < n && text[i + 1] == 'n';
        if (!(ch == ' ' || newline || i == n - 1)) continue;
        bool overflow = float(font.GetWidth(c)) + float(font.GetWidth(w)) > kMaxLineWidth;
        if (overflow || newline) {
            ++breaks;
            if (newline) {
                ++i;
                emit(c + w);
                c.clear();
            } else {
                emit(c);
                c = w;
            }
            y += kLineStep;
            w.clear();
            ++k;
        } else {
            c += w;
            w.clear();
        }
    }
    emit(c);
    return out;
}

void Wisdomscreen::Render() {
    if (++stp > 100) {
        ++lineno;
        stp = 0;
    }
    SetAlpha(1);
    if (screen) DrawImage(screen, 0, 0);
    // The block's top uses the previous frame's count; nothing shows in the first frames anyway.
    float y = 460.0f - float(lines + 1) * kCell;
    int32_t breaks = 0;
    for (const Line& l : LayOut(text, *FontHeadline, y, lineno, stp, breaks)) {
        if (!l.drawn) continue;
        SetAlpha(l.alpha);
        FontHeadline->Draw(l.text, 320, l.y, true);
    }
    lines = breaks;
    SetColor(255, 255, 255);
    SetAlpha(0.8f);
    FontMain->Draw(Tx("Press mousebutton to continue"), 320, 460, true);
    SetAlpha(1);
}
