#include "ui/bitmapfont.hpp"

std::string TBitmapFont::TryLoadBitmap(const std::string& source) {
    std::string error = "Font not found: " + source;
    // Sizes from a damaged metrics file must not make the image layer cut absurd cells.
    if (FrameWidth <= 0 || FrameHeight <= 0 || FrameWidth > 4096 || FrameHeight > 4096 || Frames <= 0 || Frames > 4096)
        return error;
    bool midHandle = AutoMidHandleEnabled();
    AutoMidHandle(false);  // glyphs hang from their top-left corner
    ImageRef image = LoadAnimImage(source, FrameWidth, FrameHeight, 0, Frames);
    AutoMidHandle(midHandle);
    if (!image) return error;
    FontImage = image;
    return "";
}

void TBitmapFont::LoadBitmap(const std::string& source) {
    std::string error = TryLoadBitmap(source);
    if (!error.empty()) StopWithError(error);
}

void TBitmapFont::Draw(const std::string& text, float x, float y, bool centred) {
    float sx = 1, sy = 1;
    GetScale(sx, sy);
    Layout layout = LayOut(text, x, y, centred, sx, sy, FontImage != nullptr);
    const int frames = FontImage ? int(FontImage->frames.size()) : 0;
    for (const PlacedGlyph& g : layout.glyphs)
        if (g.frame < frames) DrawImage(FontImage, g.x, g.y, g.frame);
}
