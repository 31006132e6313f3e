#include "app/random_player.hpp"

#include <malloc.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/input.hpp"

namespace {

constexpr int kWidth = 640, kHeight = 480;

// Keys a player reaches for, weighted towards the ones dialogs and the editor answer to.
constexpr int kKeys[] = {KEY_ENTER,
                         KEY_ESCAPE,
                         KEY_SPACE,
                         KEY_BACKSPACE,
                         KEY_TAB,
                         KEY_LEFT,
                         KEY_RIGHT,
                         KEY_UP,
                         KEY_DOWN,
                         KEY_HOME,
                         KEY_END,
                         KEY_PAGEUP,
                         KEY_PAGEDOWN,
                         KEY_DELETE,
                         KEY_INSERT,
                         KEY_NUMADD,
                         KEY_NUMSUBTRACT,
                         KEY_LSHIFT,
                         KEY_LCONTROL,
                         KEY_F1,
                         KEY_F1 + 1,
                         KEY_F1 + 2,
                         KEY_F1 + 3,
                         KEY_F1 + 4,
                         KEY_F11,
                         KEY_F12,
                         'A',
                         'S',
                         'D',
                         'W',
                         'Y',
                         'N',
                         'P',
                         '0',
                         '1',
                         '5',
                         '9'};

int64_t StatusKb(const char* field) {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    int64_t kb = 0;
    size_t len = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (!std::strncmp(line, field, len) && line[len] == ':') {
            kb = std::atoll(line + len + 1);
            break;
        }
    std::fclose(f);
    return kb;
}

}  // namespace

int64_t ResidentKb() { return StatusKb("VmRSS"); }
int64_t PeakResidentKb() { return StatusKb("VmHWM"); }

HeapKb HeapUsageKb() {
    const struct mallinfo2 m = mallinfo2();
    return {int64_t(m.uordblks + m.hblkhd) / 1024, int64_t(m.arena + m.hblkhd) / 1024};
}

TRandomPlayer::TRandomPlayer(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}

uint32_t TRandomPlayer::Next() {
    // xorshift64*: the game's own generator stays untouched, so a soak seed and a game seed
    // can be varied independently.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return uint32_t((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

void TRandomPlayer::StartGlide() {
    // Mostly short hops between nearby things, now and then across the screen; the edges get
    // their share since buttons and trays sit there.
    if (Chance(150)) {
        targetX_ = float(Below(2) ? kWidth - 1 - Below(40) : Below(40));
        targetY_ = float(Below(kHeight));
    } else if (Chance(300)) {
        targetX_ = float(Below(kWidth));
        targetY_ = float(Below(kHeight));
    } else {
        targetX_ = x_ + float(Below(161) - 80);
        targetY_ = y_ + float(Below(161) - 80);
    }
    if (targetX_ < 0) targetX_ = 0;
    if (targetY_ < 0) targetY_ = 0;
    if (targetX_ > kWidth - 1) targetX_ = kWidth - 1;
    if (targetY_ > kHeight - 1) targetY_ = kHeight - 1;
    glideFrames_ = 1 + Below(30);
}

void TRandomPlayer::Step(int64_t frame) {
    if (glideFrames_ <= 0 && Chance(60)) StartGlide();
    if (glideFrames_ > 0) {
        x_ += (targetX_ - x_) / float(glideFrames_);
        y_ += (targetY_ - y_) / float(glideFrames_);
        --glideFrames_;
        InputMouseMove(int(x_), int(y_));
    }

    if (heldButton_ && frame >= releaseButtonAt_) {
        InputMouseButton(heldButton_, false);
        heldButton_ = 0;
    }
    if (!heldButton_ && Chance(25)) {
        int r = Below(100);
        heldButton_ = r < 75 ? MOUSE_LEFT : r < 97 ? MOUSE_RIGHT : MOUSE_MIDDLE;
        // Most presses are clicks; some are drags that last while the pointer glides.
        releaseButtonAt_ = frame + (Chance(700) ? 1 : 2 + Below(90));
        InputMouseButton(heldButton_, true);
        if (heldButton_ == MOUSE_LEFT && releaseButtonAt_ > frame + 1) StartGlide();
    }

    if (Chance(6)) InputWheel(Below(2) ? 1 + Below(3) : -1 - Below(3));

    if (heldKey_ >= 0 && frame >= releaseKeyAt_) {
        InputKey(heldKey_, false);
        heldKey_ = -1;
    }
    if (heldKey_ < 0 && Chance(8)) {
        heldKey_ = kKeys[Below(int(sizeof kKeys / sizeof kKeys[0]))];
        releaseKeyAt_ = frame + 1 + (Chance(900) ? 0 : Below(40));
        InputKey(heldKey_, true);
    }

    if (Chance(4)) {
        // Printable ASCII mostly, some Latin-1 letters and the odd control character, as
        // a typist (or a cat) gives them.
        std::string text;
        for (int n = 1 + Below(12); n > 0; --n) {
            int r = Below(100);
            char c = r < 85 ? char(32 + Below(95)) : r < 97 ? char(0xC0 + Below(64)) : char(1 + Below(31));
            text.push_back(c);
        }
        InputTypeText(text);
    }
}

void TRandomPlayer::ReleaseAll() {
    if (heldButton_) InputMouseButton(heldButton_, false);
    if (heldKey_ >= 0) InputKey(heldKey_, false);
    heldButton_ = 0;
    heldKey_ = -1;
}
