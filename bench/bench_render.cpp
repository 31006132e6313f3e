// Renderer figures: a busy frame of sprites, and the grab behind the solution check.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/graphics.hpp"

namespace {

bool Open() {
    if (GraphicsOpen()) return true;
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    SetGraphicsOptions({true});
    SetVirtualClock(true);  // no pacing: measure the work alone
    return Graphics(kLogicalWidth, kLogicalHeight, 0, 60, 0);
}

ImageRef Sprite(uint32_t colour) {
    ImageRef img = CreateImage(32, 32, 1, FILTEREDIMAGE);
    auto p = LockImage(img);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            int dx = x - 16, dy = y - 16;
            uint32_t a = dx * dx + dy * dy < 256 ? 200 : 0;
            p->WritePixel(x, y, (a << 24) | colour);
        }
    ImageChanged(img);
    MidHandleImage(img);
    return img;
}

// 2,000 alpha-blended, rotated sprites from one texture and 200 from ten others, then the
// frame is read back so the software renderer's work is inside the measurement.
void BM_BusyFrame(benchmark::State& state) {
    if (!Open()) {
        state.SkipWithError("no OpenGL");
        return;
    }
    ImageRef main = Sprite(0x80c040);
    std::vector<ImageRef> others;
    for (int i = 0; i < 10; ++i) others.push_back(Sprite(0x102030u * uint32_t(i + 1)));
    int calls = 0;
    for (auto _ : state) {
        SetBlend(ALPHABLEND);
        SetClsColor(20, 20, 20);
        Cls();
        for (int i = 0; i < 2000; ++i) {
            SetRotation(float(i % 360));
            DrawImage(main, float((i * 37) % 640), float((i * 91) % 480));
        }
        for (int t = 0; t < 10; ++t)
            for (int i = 0; i < 20; ++i) {
                SetRotation(float(i * 18));
                DrawImage(others[size_t(t)], float(t * 60 + i), float(i * 20));
            }
        SetRotation(0);
        benchmark::DoNotOptimize(GrabPixmap(0, 0, 1, 1));
        Flip(0);
        calls = DrawCallsLastFrame();
    }
    state.counters["draw_calls"] = calls;
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The solution check: grab the playfield and count its pure-black pixels.
void BM_GrabPlayfieldAndCountBlack(benchmark::State& state) {
    if (!Open()) {
        state.SkipWithError("no OpenGL");
        return;
    }
    SetClsColor(0, 0, 0);
    Cls();
    SetColor(200, 100, 50);
    DrawRect(100, 100, 200, 200);
    GrabPixmap(0, 0, 1, 1);
    int black = 0;
    for (auto _ : state) {
        PixmapRef p = GrabPixmap(4, 66, 449, 394);
        black = 0;
        for (uint32_t px : p->pixels) black += (px & 0xffffff) == 0;
        benchmark::DoNotOptimize(black);
    }
    state.counters["black_pixels"] = black;
}
BENCHMARK(BM_GrabPlayfieldAndCountBlack)->Unit(benchmark::kMicrosecond);

}  // namespace
