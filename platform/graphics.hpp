// Immediate-mode 2D renderer: a 640 x 480 logical screen drawn into an offscreen framebuffer
// and shown scaled in the window. Drawing state persists between frames until changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.hpp"

enum BlendMode { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };
enum ImageFlags { MASKEDIMAGE = 1, FILTEREDIMAGE = 2, MIPMAPPEDIMAGE = 4 };

inline constexpr int kLogicalWidth = 640;
inline constexpr int kLogicalHeight = 480;

// CPU-side picture; pixels are 0xAARRGGBB.
class TPixmap {
public:
    TPixmap(int w, int h) : width(w), height(h), pitch(w), pixels(size_t(w) * size_t(h), 0) {}
    // Outside the pixmap reads give 0 and writes are dropped.
    uint32_t ReadPixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return pixels[size_t(y) * size_t(pitch) + size_t(x)];
    }
    void WritePixel(int x, int y, uint32_t argb) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        pixels[size_t(y) * size_t(pitch) + size_t(x)] = argb;
    }

    int width, height, pitch;  // pitch in pixels
    std::vector<uint32_t> pixels;
};
using PixmapRef = std::shared_ptr<TPixmap>;

PixmapRef CreatePixmap(int w, int h);
// Decodes PNG or JPEG (by content); null when unreadable.
PixmapRef LoadPixmap(const std::string& path);
PixmapRef LoadPixmap(const StreamRef& stream);
PixmapRef DecodePixmap(const uint8_t* data, size_t size);
// Encodes as PNG; false when the file cannot be written.
bool SavePixmapPNG(const TPixmap& pix, const std::string& path);
std::vector<uint8_t> EncodePixmapPNG(const TPixmap& pix);

struct GpuTexture;

class TImage {
public:
    TImage();
    ~TImage();
    int width = 0, height = 0;  // of one frame
    int flags = 0;
    float handle_x = 0, handle_y = 0;
    // One pixmap per frame, kept for collisions, grabs and late texture upload.
    std::vector<PixmapRef> frames;
    // Embedded pictures are decoded when first drawn or read; until then the frames are empty.
    std::function<void(TImage&)> pendingPixels;

    // Renderer-private: the frames packed into one texture, made when first drawn.
    std::unique_ptr<GpuTexture> gpu;
    bool dirty = true;  // pixels changed since upload
};
using ImageRef = std::shared_ptr<TImage>;

// Default flags used when a load passes -1; the game sets 7 at start-up.
void SetImageFlags(int flags);
int GetImageFlags();
void AutoMidHandle(bool on);
bool AutoMidHandleEnabled();

ImageRef LoadImage(const std::string& path, int flags = -1);
ImageRef LoadImage(const StreamRef& stream, int flags = -1);
ImageRef LoadImageFromPixmap(const PixmapRef& pix, int flags = -1);
// Cuts a picture into `count` cells of w x h, left to right and top to bottom from `first`.
ImageRef LoadAnimImage(const std::string& path, int cellW, int cellH, int first, int count, int flags = -1);
ImageRef LoadAnimImage(const StreamRef& stream, int cellW, int cellH, int first, int count, int flags = -1);
ImageRef CreateImage(int w, int h, int frames = 1, int flags = -1);
void MidHandleImage(const ImageRef& img);
void SetImageHandle(const ImageRef& img, float x, float y);
int ImageWidth(const ImageRef& img);
int ImageHeight(const ImageRef& img);
// Pixels of one frame (for editing); call ImageChanged afterwards.
PixmapRef LockImage(const ImageRef& img, int frame = 0);
void ImageChanged(const ImageRef& img);

// ---- Window and frame ----
struct GraphicsOptions {
    bool hidden = false;  // no visible window (tests, benchmarks)
};
// Loads the OpenGL driver ahead of the window; safe to run on a thread before Graphics.
void WarmUpGraphicsDriver();
// Gives back the resident copies of the driver's read-only code and data that its start-up or
// its shader compiler touched; what is used again comes back from the page cache. Safe at any
// time. The window does it now and then by itself.
void ReleaseDriverCodePages();
// Opens the window and GL context. False when no display or GL 3.3 is available.
bool Graphics(int width, int height, int depth = 0, int hz = 60, int flags = 0);
bool GraphicsOpen();
void EndGraphics();
// The pictures living in the driver's memory: how many and how many bytes.
struct TextureMemory {
    int count = 0;
    int64_t bytes = 0;
};
TextureMemory LiveTextureMemory();

void SetGraphicsOptions(const GraphicsOptions& opts);
void AppTitle(const std::string& title);
void Cls();
// Presents the logical screen; with sync -1 paces to the refresh rate given to Graphics.
void Flip(int sync = -1);
// Number of frames flipped so far.
int64_t FlipCount();
// When set, Flip does not wait and Millisecs reads trunc(flips x 1000 / 60).
void SetVirtualClock(bool on);
bool VirtualClock();
void ToggleFullscreen();
// Maps a window point to the logical screen shown letterboxed in a drawable of drawW x drawH
// (window size winW x winH in points). Points in the bars map outside 0..639 / 0..479.
void MapWindowToLogical(int drawW, int drawH, int winW, int winH, int wx, int wy, int& lx, int& ly);
// Draw calls sent to GL since the last Flip (for the batching benchmark).
int DrawCallsLastFrame();

// ---- Drawing state ----
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(float a);
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetRotation(float degrees);
float GetRotation();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);
void SetHandle(float x, float y);
void GetHandle(float& x, float& y);
void SetClsColor(int r, int g, int b);
void GetClsColor(int& r, int& g, int& b);
// Restores every drawing-state value to its default.
void ResetDrawState();

// ---- Drawing ----
void DrawImage(const ImageRef& img, float x, float y, int frame = 0);
// Draws the frame stretched to w x h (handle scaled along).
void DrawImageRect(const ImageRef& img, float x, float y, float w, float h, int frame = 0);
// Draws the part (sx, sy, sw, sh) of a frame at (x, y), size sw x sh.
void DrawSubImageRect(const ImageRef& img, float x, float y, float sx, float sy, float sw, float sh, int frame = 0);
void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2);
void Plot(float x, float y);
// Built-in 8 x 8 font; the game's own lettering uses bitmap fonts.
void DrawText(const std::string& text, float x, float y);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);

// Reads back the logical screen as drawn so far this frame.
PixmapRef GrabPixmap(int x, int y, int w, int h);
void GrabImage(const ImageRef& img, int x, int y, int frame = 0);

// ---- Pixel-exact collisions (CPU side; 32 layers) ----
void ResetCollisions(uint32_t mask = ~0u);
bool CollideImage(const ImageRef& img, float x, float y, int frame, uint32_t testMask, uint32_t writeMask);
bool CollideRect(float x, float y, float w, float h, uint32_t testMask, uint32_t writeMask);
bool ImagesCollide(const ImageRef& a, float x1, float y1, int f1, const ImageRef& b, float x2, float y2, int f2);
