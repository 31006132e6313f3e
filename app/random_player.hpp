// A random player for soak runs: seeded pointer moves, clicks and drags, wheel turns, keys and
// typed text, fed through the same input calls as the event pump and scripts. It knows no
// screen, so whatever screen owns the frame loop gets driven.
#pragma once

#include <cstdint>
#include <string>

class TRandomPlayer {
public:
    explicit TRandomPlayer(uint64_t seed);
    // Feeds this frame's input; call after each flip.
    void Step(int64_t frame);
    // Releases whatever is still held (a run that stops mid-drag leaves nothing pressed).
    void ReleaseAll();

    int HeldButton() const { return heldButton_; }
    int HeldKey() const { return heldKey_; }

private:
    uint32_t Next();
    int Below(int n) { return int(Next() % uint32_t(n)); }
    bool Chance(int perThousand) { return Below(1000) < perThousand; }
    void StartGlide();

    uint64_t state_;
    float x_ = 320, y_ = 240;
    float targetX_ = 320, targetY_ = 240;
    int glideFrames_ = 0;
    int heldButton_ = 0;
    int64_t releaseButtonAt_ = 0;
    int heldKey_ = -1;
    int64_t releaseKeyAt_ = 0;
};

// Resident memory of this process in kB (VmRSS), and its peak (VmHWM); 0 when unknown.
int64_t ResidentKb();
int64_t PeakResidentKb();
// The C heap: what is handed out and what the allocator holds from the system besides.
struct HeapKb {
    int64_t inUse = 0, held = 0;
};
HeapKb HeapUsageKb();
