#include "game/progressmap.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "data/language.hpp"
#include "data/users.hpp"
#include "fx/pointer.hpp"
#include "platform/filesys.hpp"
#include "platform/input.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "ui/bitmapfont.hpp"
#include "ui/frame.hpp"
#include "ui/requester.hpp"

namespace {
constexpr float kMaxScroll = 276;  // 916 - 640
constexpr float kFade = 0.05f;

const TMaxLevel* LatestRecord(const TUser& player, const std::string& set) { return player.LatestMaxLevel(set); }

bool EndsWithLvl(const std::string& name) { return name.size() >= 4 && name.compare(name.size() - 4, 4, ".lvl") == 0; }
}  // namespace

const std::array<Point, 50>& ProgressPath() {
    static const std::array<Point, 50> path = [] {
        static const int xy[50][2] = {
            {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318}, {193, 295}, {197, 270},
            {192, 246}, {179, 224}, {160, 209}, {142, 194}, {137, 170}, {142, 148}, {162, 137}, {185, 138}, {207, 148},
            {227, 161}, {247, 169}, {270, 176}, {291, 184}, {315, 193}, {337, 205}, {357, 216}, {373, 229}, {395, 244},
            {414, 259}, {432, 275}, {450, 289}, {463, 308}, {478, 328}, {455, 333}, {436, 348}, {427, 369}, {446, 383},
            {469, 387}, {491, 381}, {508, 364}, {524, 346}, {538, 328}, {547, 307}, {556, 285}, {566, 263}, {577, 242},
            {592, 222}, {611, 212}, {630, 199}, {649, 187}, {663, 171}};
        std::array<Point, 50> p;
        for (int i = 0; i < 50; ++i) p[size_t(i)].Set(xy[i][0], xy[i][1]);
        return p;
    }();
    return path;
}

bool StationReachable(const TUser& player, const std::string& levelSetFile, int station) {
    // Any record of the set that has got this far opens the station.
    for (const TMaxLevel& m : player.MaxLevel)
        if (m.Name == levelSetFile && m.Level >= station) return true;
    return false;
}

ProgressTotals CountProgressTotals(const TUser& player, const std::vector<std::string>& folders) {
    ProgressTotals t;
    std::vector<std::string> seen;
    for (const std::string& folder : folders) {
        std::error_code ec;
        auto canon = std::filesystem::weakly_canonical(folder, ec).string();
        if (std::find(seen.begin(), seen.end(), canon) != seen.end()) continue;
        seen.push_back(canon);
        for (const std::string& name : ReadDir(folder)) {
            if (!EndsWithLvl(name)) continue;
            std::string path = folder + name;
            std::printf("Level set: %s\n", path.c_str());
            t.numLevels += 50;
            // Records are only appended; the last one of a set is its progress.
            if (const TMaxLevel* m = LatestRecord(player, path)) t.currLevel += m->Level;
        }
    }
    return t;
}

float ScrollMapTowards(float scroll, float mapX) {
    const float s0 = scroll;
    if (mapX - 320 > s0) scroll = s0 + 4;
    if (mapX - 320 < scroll) scroll -= 4;
    return std::clamp(scroll, 0.0f, kMaxScroll);
}

void ShowProgressMap(int32_t& level, bool& showMap, bool& quit) {
    FlushKeys();
    SetAlpha(1);
    AutoMidHandle(false);
    ImageRef card = LoadImage("incbin::../gfx/card.png");
    ImageRef point = LoadAnimImage("incbin::../gfx/card_point.png", 24, 24, 0, 3);
    AutoMidHandle(true);
    ImageRef box = LoadImage("incbin::../gfx/showmap.png");
    ImageRef here = LoadImage("incbin::../gfx/youarehere.png");
    const auto& path = ProgressPath();
    UserRef player = Users.GetCurrentUser();

    ProgressTotals totals = CountProgressTotals(*player, {CurrentDir() + "/data/", UserFolder->GetPath()});

    level = std::clamp(level, 0, 49);
    float v = 0, p = 0;
    float s = float(path[size_t(level)].x) - 320;
    bool leaving = false;
    for (;;) {
        UpdateInput();
        Cls();
        if (leaving) {
            v -= kFade;
            if (v < 0) return;
        } else if (v < 1) {
            v += kFade;
        }
        SetAlpha(1);
        SetColor(255, 255, 255);
        if (card) DrawImage(card, -s, 0);
        if (p < 2) p += kFade;

        const float s0 = s;
        const int mx = MouseX(), my = MouseY();
        for (int i = 0; i < 50; ++i) {
            const Point& pt = path[size_t(i)];
            SetAlpha(p - float(i) / 50.0f);
            bool reachable = StationReachable(*player, CurrLevelSetFile, i);
            int frame = reachable ? 1 : 0;
            if (i == level) {
                frame = (Millisecs() / 500) % 2 ? 2 : 1;
                s = s0;
                s = ScrollMapTowards(s, float(pt.x));
            }
            int px = int(float(pt.x) - s);
            if (point) DrawImage(point, float(px), float(pt.y), frame);
            if (mx > px && mx < px + 24 && my > pt.y && my < pt.y + 24) {
                MousePointer->SetHover(true);
                if (MouseHits[0] && reachable) level = i;
            }
        }

        SetAlpha(1);
        const int boxW = box ? ImageWidth(box) / 2 : 22, boxH = box ? ImageHeight(box) / 2 : 21;
        const std::string showMapText = Tx("Show Map");
        if (mx > 95 - boxW && mx < boxW + FontMain->GetWidth(showMapText) + 95 && my > 457 - boxH && my < boxH + 457) {
            MousePointer->SetHover(true);
            if (MouseHits[0]) showMap = !showMap;
        }
        if (box) DrawImage(box, 95, 457);
        if (showMap) FontMain->Draw(std::string(1, char(127)), 77, 452, true);
        FontMain->Draw(showMapText, 117, 438);

        bool play = false;
        if (DrawButton(Tx("Exit"), 570, 52, false)) {
            quit = true;
            leaving = true;
        }
        if (DrawButton(Tx("Play"), 570, 420, false)) play = true;

        std::string setName = CurrLevelSetFile;
        if (EndsWithLvl(setName)) setName.resize(setName.size() - 4);
        if (auto slash = setName.rfind('/'); slash != std::string::npos) setName.erase(0, slash + 1);
        FontHeadline->Draw(setName, 70, -9);

        FontMain->Draw(Language->GetString("Next Level: $level", {"level", std::to_string(level + 1)}), 95, 72);
        FontMain->Draw(Language->GetString("Score: $score", {"score", std::to_string(player->Score)}), 390, 72);
        SetAlpha(0.6f);
        FontMain->Draw(Language->GetString("($currLevel of $numLevels levels completed)",
                                           {"currLevel", std::to_string(totals.currLevel), "numLevels",
                                            std::to_string(totals.numLevels)}),
                       94, 101);
        SetAlpha(1);

        const Point& cur = path[size_t(level)];
        if (here) DrawImage(here, 14 + float(cur.x) - s, float(cur.y) - 35 + 8 * SinDeg(float(Millisecs() / 10)));
        if (play) leaving = true;

        MousePointer->Draw();
        SetAlpha(1 - v);
        SetColor(0, 0, 0);
        DrawRect(0, 0, 640, 480);
        SetColor(255, 255, 255);
        SetAlpha(1);
        FlipFrame(-1);
    }
}

std::vector<std::string> EndScreenLines(const std::string& text, const TBitmapFont& font) {
    std::vector<std::string> lines;
    std::string line, word;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        char ch = text[i];
        if (ch != '\n') word.push_back(ch);
        if (!(ch == ' ' || ch == '\n' || i == n - 1)) continue;
        if (ch == '\n') {
            lines.push_back(line + word);
            line.clear();
            ++i;  // the character after a line break is dropped
        } else if (font.GetWidth(line) + font.GetWidth(word) > 500) {
            lines.push_back(line);
            line = word;
        } else {
            line += word;
        }
        word.clear();
    }
    lines.push_back(line);
    return lines;
}

void ShowEndScreen() {
    Cls();
    FlipFrame(-1);
    bool mid = AutoMidHandleEnabled();
    AutoMidHandle(false);
    ImageRef end = LoadImage("incbin::../gfx/end.png");
    AutoMidHandle(mid);
    const std::string text =
        Tx("Congratulations!\nYou completed your path to enlightenment. But there is a lot more to "
           "discover...\n\nClick a mousebutton to continue!");
    float a = 1.0f;
    int o = 80, r = -1;
    bool waiting = true;
    size_t shownLines = 1;
    while (a <= 1.0f) {
        Cls();
        UpdateInput();
        SetAlpha(1);
        SetColor(255, 255, 255);
        if (end) DrawImage(end, 0, 0);
        o += 4;
        if (o > 100) {
            o = 0;
            ++r;
        }
        SetAlpha(a);
        SetColor(0, 0, 0);
        DrawRect(0, 0, 640, 480);
        if (waiting && a > 0) a -= 0.05f;
        if (!waiting) a += 0.05f;
        SetAlpha(1);
        SetColor(255, 255, 255);

        std::vector<std::string> lines = EndScreenLines(text, *FontHeadline);
        float y = 480.0f - float(shownLines) * float(FontHeadline->FrameWidth);
        for (size_t k = 0; k < lines.size(); ++k) {
            int ki = int(k);
            if (ki <= r) {
                SetAlpha(ki == r ? float(o) / 100.0f : 1.0f);
                FontHeadline->Draw(lines[k], 320, y, true);
            }
            y += float(FontHeadline->FrameHeight - 8);
        }
        shownLines = lines.size();
        SetAlpha(1);

        MousePointer->Draw();
        if (MouseHits[0] || MouseHits[1]) waiting = false;
        FlipFrame(-1);
    }
}
