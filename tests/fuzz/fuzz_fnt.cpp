// Loads arbitrary bytes as font metrics, measures and lays out text with them, saves and reloads.
#include "fuzz_check.hpp"
#include "ui/bitmapfont.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBitmapFont first;
    TBankStream in(data, size);
    first.LoadFnt(in);

    TBankStream out;
    first.SaveFnt(out, "fuzz.png");
    TBitmapFont second;
    TBankStream back(out.Bytes().data(), out.Bytes().size());
    second.LoadFnt(back);
    FUZZ_CHECK(first.FrameWidth == second.FrameWidth && first.FrameHeight == second.FrameHeight &&
               first.Frames == second.Frames);
    FUZZ_CHECK(first.CharW == second.CharW && first.CharH == second.CharH);

    // The input doubles as text to measure, newlines and all.
    std::string text(reinterpret_cast<const char*>(data), std::min<size_t>(size, 512));
    FUZZ_CHECK(first.GetWidth(text) >= 0);
    first.GetHeight(text);
    auto layout = first.LayOut(text, 10, 10, size % 2 == 1, 1.5f, 0.5f, true);
    for (auto& g : layout.glyphs)
        FUZZ_CHECK(g.frame >= 0 && g.frame <= TBitmapFont::kLastGlyph - TBitmapFont::kFirstCode);
    return 0;
}
