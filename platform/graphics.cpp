// OpenGL 3.3 core renderer on an SDL window. The game draws into a 640 x 480 framebuffer
// object; Flip shows it scaled into the window with its aspect ratio kept, so everything the
// game reads back (grabs, the solution check) is independent of the window size.
#include <SDL2/SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <thread>

#include "platform/embedded.hpp"
#include "platform/graphics.hpp"
#include "platform/image_pixels.hpp"
#include "platform/input.hpp"
#include "platform/platform_hooks.hpp"

struct GpuTexture {
    GLuint id = 0;
    int texW = 0, texH = 0;
    int columns = 1;
    // Every pixel of every frame fully opaque: drawn 1:1 at full alpha it needs no blending.
    bool opaque = false;
    bool mipmapped = false;
    // Large single-frame pictures (board frames, overlays) in blocks: which blocks are fully
    // transparent, fully opaque or mixed, so a 1:1 draw can skip the first kind and copy the
    // second without blending. Empty for other pictures.
    std::vector<uint8_t> blocks;
    int blocksX = 0, blocksY = 0;
    // The frames' pixels were given up after upload; the texture holds the only copy.
    bool pixelsInTexture = false;
    // What the driver holds for this texture, for the memory report of long runs.
    int64_t bytes = 0;
    ~GpuTexture();
};

TImage::TImage() = default;
TImage::~TImage() = default;

namespace {

// Unsized, so the driver stores textures in the order they are uploaded (BGRA) rather than
// RGBA: the software renderer then copies rows where it would otherwise swizzle every pixel,
// for the pictures, the framebuffer and the blit into the window alike.
constexpr GLint kTextureFormat = GL_RGBA;

int64_t g_textureBytes = 0;
int g_textureCount = 0;

constexpr int kPad = 2;  // transparent gap between packed frames so filtering never bleeds

// Pictures at least this large are drawn 1:1 block by block.
constexpr int kBlock = 32;
constexpr int kBlockedArea = 256 * 256;
constexpr int64_t kReleaseIdlePagesEvery = 600;  // frames
enum BlockKind : uint8_t { BLOCK_EMPTY = 0, BLOCK_OPAQUE = 1, BLOCK_MIXED = 2 };

struct DrawState {
    int r = 255, g = 255, b = 255;
    float alpha = 1.0f;
    int blend = MASKBLEND;
    float rot = 0, sx = 1, sy = 1;
    // 2 x 2 transform: rotation then scale folded together
    float ix = 1, iy = 0, jx = 0, jy = 1;
    int vx = 0, vy = 0, vw = kLogicalWidth, vh = kLogicalHeight;
    float ox = 0, oy = 0;
    float hx = 0, hy = 0;
    int clsR = 0, clsG = 0, clsB = 0;
};
DrawState g_st;

struct Vertex {
    float x, y, u, v;
    uint8_t r, g, b, a;
};

enum ShaderMode { MODE_NORMAL = 0, MODE_ALPHATEST = 1, MODE_SHADE = 2, MODE_COPY = 3, MODE_COUNT };

// How a batch samples its texture. The software renderer pays for every filter it is asked for,
// so a picture drawn 1:1 on whole pixels is read texel by texel (the same colours a linear
// filter gives at texel centres) and mip-maps are read only when a picture is drawn smaller.
enum SamplerKind { SAMPLE_NEAREST = 0, SAMPLE_LINEAR = 1, SAMPLE_MIPMAP = 2, SAMPLE_COUNT };

struct BatchKey {
    GLuint tex = 0;
    int blend = 0;
    int sampler = SAMPLE_NEAREST;
    bool tinted = true;  // colour or alpha other than plain white
    int vx = 0, vy = 0, vw = 0, vh = 0;
    bool operator==(const BatchKey&) const = default;
};

struct Renderer {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    GLuint fbo = 0, fboTex = 0;
    GLuint programs[MODE_COUNT] = {};
    GLuint samplers[SAMPLE_COUNT] = {};
    GLuint vao = 0, vbo = 0;
    GLuint whiteTex = 0;
    std::vector<Vertex> verts;
    BatchKey batch;
    bool haveBatch = false;
    int drawCalls = 0, drawCallsLast = 0;
    size_t vboCapacity = 0;
    int hz = 60;
    bool fullscreen = false;
    bool open = false;
    GraphicsOptions options;
    std::string title = "Velmora";
    std::chrono::steady_clock::time_point nextFrame;
};
// Never destroyed: pictures held by other files' globals may be released after this file's
// statics are gone, and their destructors still ask the renderer whether it is open.
Renderer& g_r = *new Renderer;
int64_t g_flips = 0;
bool g_virtualClock = false;
std::function<void(int64_t)> g_afterFlip;
int64_t g_windowCreatedNs = 0;

const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec2 aUV;
layout(location = 2) in vec4 aColor;
out vec2 vUV;
flat out vec4 vColor;
void main() {
    vUV = aUV;
    vColor = aColor;
    // Logical row 0 lands in framebuffer row 0, so read-backs need no flipping.
    gl_Position = vec4(aPos.x / 320.0 - 1.0, aPos.y / 240.0 - 1.0, 0.0, 1.0);
}
)";

// One small program per mode rather than one branching on a uniform: the software renderer
// runs the plain texture-times-colour shader on a much faster path. Each is compiled after
// kFragmentPrelude; the bare copy leaves the colour out altogether.
const char* kFragmentPrelude = R"(#version 330 core
in vec2 vUV;
out vec4 outColor;
uniform sampler2D uTex;
)";
const char* kFragmentShaders[MODE_COUNT] = {
    // MODE_NORMAL
    "flat in vec4 vColor;\n"
    "void main() { outColor = texture(uTex, vUV) * vColor; }\n",
    // MODE_ALPHATEST
    "flat in vec4 vColor;\n"
    "void main() {\n"
    "    vec4 c = texture(uTex, vUV) * vColor;\n"
    "    if (c.a < 0.5) discard;\n"
    "    outColor = c;\n"
    "}\n",
    // MODE_SHADE
    "flat in vec4 vColor;\n"
    "void main() {\n"
    "    vec4 c = texture(uTex, vUV) * vColor;\n"
    "    outColor = vec4(mix(vec3(1.0), c.rgb, c.a), 1.0);\n"
    "}\n",
    // MODE_COPY
    "void main() { outColor = texture(uTex, vUV); }\n"};

// Compiles prelude followed by src (no prelude when it is null).
GLuint Compile(GLenum type, const char* src, const char* prelude = nullptr) {
    GLuint s = glCreateShader(type);
    const char* parts[2] = {prelude ? prelude : "", src};
    glShaderSource(s, 2, parts, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024];
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
    }
    return s;
}

void RecomputeTransform() {
    float c = std::cos(g_st.rot * 3.14159265358979f / 180.0f);
    float s = std::sin(g_st.rot * 3.14159265358979f / 180.0f);
    // Positive angles turn clockwise on screen because y grows downwards.
    g_st.ix = c * g_st.sx;
    g_st.iy = s * g_st.sx;
    g_st.jx = -s * g_st.sy;
    g_st.jy = c * g_st.sy;
}

void Flush() {
    if (!g_r.open || g_r.verts.empty()) {
        g_r.verts.clear();
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, g_r.fbo);
    glViewport(0, 0, kLogicalWidth, kLogicalHeight);
    glEnable(GL_SCISSOR_TEST);
    glScissor(g_r.batch.vx, g_r.batch.vy, g_r.batch.vw, g_r.batch.vh);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    int mode = g_r.batch.tinted ? MODE_NORMAL : MODE_COPY;
    switch (g_r.batch.blend) {
        case MASKBLEND:
            glDisable(GL_BLEND);
            mode = MODE_ALPHATEST;
            break;
        case SOLIDBLEND:
            glDisable(GL_BLEND);
            break;
        case LIGHTBLEND:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case SHADEBLEND:
            glEnable(GL_BLEND);
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
            mode = MODE_SHADE;
            break;
        default:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
    }
    glUseProgram(g_r.programs[mode]);
    glBindSampler(0, g_r.samplers[g_r.batch.sampler]);
    glBindVertexArray(g_r.vao);
    glBindBuffer(GL_ARRAY_BUFFER, g_r.vbo);
    size_t bytes = g_r.verts.size() * sizeof(Vertex);
    if (bytes > g_r.vboCapacity) {
        g_r.vboCapacity = std::max(bytes, g_r.vboCapacity * 2);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(g_r.vboCapacity), nullptr, GL_STREAM_DRAW);
    } else {
        // Orphan the old storage so the driver need not wait for the previous batch.
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(g_r.vboCapacity), nullptr, GL_STREAM_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), g_r.verts.data());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, g_r.batch.tex);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(g_r.verts.size()));
    ++g_r.drawCalls;
    g_r.verts.clear();
}

void ClampedViewport(int& x, int& y, int& w, int& h) {
    int x0 = std::clamp(g_st.vx, 0, kLogicalWidth), y0 = std::clamp(g_st.vy, 0, kLogicalHeight);
    int x1 = std::clamp(g_st.vx + std::max(0, g_st.vw), 0, kLogicalWidth);
    int y1 = std::clamp(g_st.vy + std::max(0, g_st.vh), 0, kLogicalHeight);
    x = x0;
    y = y0;
    w = x1 - x0;
    h = y1 - y0;
}

uint8_t AlphaByte() { return uint8_t(std::lround(std::clamp(g_st.alpha, 0.0f, 1.0f) * 255.0f)); }

void UseBatch(GLuint tex, int blend, int sampler) {
    BatchKey k;
    k.tex = tex;
    k.blend = blend;
    k.sampler = sampler;
    k.tinted = g_st.r < 255 || g_st.g < 255 || g_st.b < 255 || AlphaByte() < 255;
    // A mip-mapped sampler reads an unshrunk picture exactly as the plain linear one does, so a
    // sprite that needs only the latter joins a running mip-mapped batch (rain drops of mixed
    // sizes would otherwise cost a draw call each).
    if (sampler == SAMPLE_LINEAR && g_r.haveBatch && g_r.batch.sampler == SAMPLE_MIPMAP) {
        BatchKey joined = k;
        joined.sampler = SAMPLE_MIPMAP;
        if (joined == g_r.batch) k = joined;
    }
    ClampedViewport(k.vx, k.vy, k.vw, k.vh);
    if (!g_r.haveBatch || !(k == g_r.batch)) {
        Flush();
        g_r.batch = k;
        g_r.haveBatch = true;
    }
}

uint8_t ColorByte(int v) { return uint8_t(std::clamp(v, 0, 255)); }

// A sprite at alpha 0 leaves every pixel as it was in the blending modes; skipping it saves a
// pass over its area (a finished fade is a full-screen rectangle drawn every frame).
bool Invisible() { return AlphaByte() == 0 && g_st.blend != SOLIDBLEND && g_st.blend != SHADEBLEND; }

// Blending an opaque source at full alpha gives the source itself, so such a draw can skip it.
int EffectiveBlend(bool opaqueSource) {
    if (opaqueSource && AlphaByte() == 255 && (g_st.blend == ALPHABLEND || g_st.blend == MASKBLEND)) return SOLIDBLEND;
    return g_st.blend;
}

void PushQuad(const float px[4], const float py[4], float u0, float v0, float u1, float v1) {
    uint8_t r = ColorByte(g_st.r), g = ColorByte(g_st.g), b = ColorByte(g_st.b);
    uint8_t a = AlphaByte();
    Vertex q[4] = {{px[0], py[0], u0, v0, r, g, b, a},
                   {px[1], py[1], u1, v0, r, g, b, a},
                   {px[2], py[2], u1, v1, r, g, b, a},
                   {px[3], py[3], u0, v1, r, g, b, a}};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    for (int i : order) g_r.verts.push_back(q[i]);
}

// Places the box (x0, y0)-(x1, y1), given relative to the drawing position, through the transform.
void TransformBox(float x, float y, float x0, float y0, float x1, float y1, float px[4], float py[4]) {
    const float cx[4] = {x0, x1, x1, x0}, cy[4] = {y0, y0, y1, y1};
    for (int i = 0; i < 4; ++i) {
        px[i] = x + g_st.ox + cx[i] * g_st.ix + cy[i] * g_st.jx;
        py[i] = y + g_st.oy + cx[i] * g_st.iy + cy[i] * g_st.jy;
    }
}

// Mesa's software renderer builds mipmaps with a blit shader it compiles on first use: about
// 90 ms for the first texture and 10 ms for each screen-sized one after. A 2 x 2 box filter on
// the CPU gives the same chain in a few milliseconds. Consumes the pixels of level 0.
void UploadMipLevels(std::vector<uint32_t>& pixels, int w, int h) {
    std::vector<uint32_t> next;
    for (int level = 1; w > 1 || h > 1; ++level) {
        const int nw = std::max(1, w / 2), nh = std::max(1, h / 2);
        next.assign(size_t(nw) * size_t(nh), 0);
        for (int y = 0; y < nh; ++y) {
            const uint32_t* r0 = &pixels[size_t(std::min(2 * y, h - 1)) * size_t(w)];
            const uint32_t* r1 = &pixels[size_t(std::min(2 * y + 1, h - 1)) * size_t(w)];
            for (int x = 0; x < nw; ++x) {
                const int x0 = std::min(2 * x, w - 1), x1 = std::min(2 * x + 1, w - 1);
                const uint32_t a = r0[x0], b = r0[x1], c = r1[x0], d = r1[x1];
                uint32_t out = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const uint32_t sum =
                        ((a >> shift) & 0xff) + ((b >> shift) & 0xff) + ((c >> shift) & 0xff) + ((d >> shift) & 0xff);
                    out |= ((sum + 2) / 4) << shift;
                }
                next[size_t(y) * size_t(nw) + size_t(x)] = out;
            }
        }
        glTexImage2D(GL_TEXTURE_2D, level, kTextureFormat, nw, nh, 0, GL_BGRA, GL_UNSIGNED_BYTE, next.data());
        pixels.swap(next);
        w = nw;
        h = nh;
    }
}

void UploadImage(TImage& img) {
    DecodePendingPixels(img);
    if (img.gpu && img.gpu->pixelsInTexture) RestoreImagePixels(img);
    if (!img.gpu) img.gpu = std::make_unique<GpuTexture>();
    GpuTexture& t = *img.gpu;
    int n = int(img.frames.size());
    int cellW = img.width + kPad, cellH = img.height + kPad;
    GLint maxSize = 4096;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    t.columns = std::max(1, std::min(n, (int(maxSize) - kPad) / cellW));
    int rows = (n + t.columns - 1) / t.columns;
    t.texW = t.columns * cellW + kPad;
    t.texH = rows * cellH + kPad;
    std::vector<uint32_t> atlas(size_t(t.texW) * size_t(t.texH), 0);
    t.opaque = n > 0;
    for (int f = 0; f < n; ++f) {
        const TPixmap& p = *img.frames[size_t(f)];
        int ox = kPad + (f % t.columns) * cellW, oy = kPad + (f / t.columns) * cellH;
        // A frame smaller than the picture leaves transparent texels inside its cell.
        if (p.width < img.width || p.height < img.height) t.opaque = false;
        for (int y = 0; y < std::min(p.height, img.height); ++y) {
            const uint32_t* row = &p.pixels[size_t(y) * size_t(p.pitch)];
            const int w = std::min(p.width, img.width);
            std::copy_n(row, w, &atlas[size_t(oy + y) * size_t(t.texW) + size_t(ox)]);
            if (t.opaque) t.opaque = std::all_of(row, row + w, [](uint32_t px) { return (px >> 24) == 0xffu; });
        }
    }
    t.blocks.clear();
    t.blocksX = t.blocksY = 0;
    if (n == 1 && img.width * img.height >= kBlockedArea) {
        t.blocksX = (img.width + kBlock - 1) / kBlock;
        t.blocksY = (img.height + kBlock - 1) / kBlock;
        t.blocks.assign(size_t(t.blocksX) * size_t(t.blocksY), BLOCK_EMPTY);
        for (int by = 0; by < t.blocksY; ++by)
            for (int bx = 0; bx < t.blocksX; ++bx) {
                bool anyOpaque = false, anyClear = false;
                for (int y = by * kBlock; y < std::min(img.height, (by + 1) * kBlock); ++y)
                    for (int x = bx * kBlock; x < std::min(img.width, (bx + 1) * kBlock); ++x) {
                        const uint32_t a = atlas[size_t(kPad + y) * size_t(t.texW) + size_t(kPad + x)] >> 24;
                        anyOpaque |= a == 0xffu;
                        anyClear |= a != 0xffu;
                        if (a != 0 && a != 0xffu) anyOpaque = anyClear = true;
                    }
                const uint8_t kind = !anyOpaque ? BLOCK_EMPTY : (!anyClear ? BLOCK_OPAQUE : BLOCK_MIXED);
                t.blocks[size_t(by) * size_t(t.blocksX) + size_t(bx)] = kind;
            }
    }
    // Most pictures are only ever drawn: keeping their pixels as well would hold every picture
    // twice (a third of the game's memory). Collisions, grabs and edits read them back. They go
    // before the driver makes its copy, so that a big picture is not held three times at once.
    for (PixmapRef& p : img.frames) p = std::make_shared<TPixmap>(0, 0);
    t.pixelsInTexture = true;
    if (!t.id) {
        glGenTextures(1, &t.id);
        ++g_textureCount;
    }
    glBindTexture(GL_TEXTURE_2D, t.id);
    glTexImage2D(GL_TEXTURE_2D, 0, kTextureFormat, t.texW, t.texH, 0, GL_BGRA, GL_UNSIGNED_BYTE, atlas.data());
    // How the texture is sampled is the batch's sampler object's business, chosen per draw.
    t.mipmapped = (img.flags & FILTEREDIMAGE) && (img.flags & MIPMAPPEDIMAGE);
    g_textureBytes -= t.bytes;
    // A full mip chain adds a third.
    t.bytes = int64_t(t.texW) * t.texH * 4 * (t.mipmapped ? 4 : 3) / 3;
    g_textureBytes += t.bytes;
    if (t.mipmapped) UploadMipLevels(atlas, t.texW, t.texH);
    img.dirty = false;
}

}  // namespace

bool RestoreImagePixels(TImage& img) {
    DecodePendingPixels(img);
    if (!img.gpu || !img.gpu->pixelsInTexture) return true;
    if (!g_r.open) return false;
    Flush();  // the batch binds its own texture again when it is next drawn
    GpuTexture& t = *img.gpu;
    std::vector<uint32_t> atlas(size_t(t.texW) * size_t(t.texH), 0);
    glBindTexture(GL_TEXTURE_2D, t.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, atlas.data());
    const int cellW = img.width + kPad, cellH = img.height + kPad;
    for (size_t f = 0; f < img.frames.size(); ++f) {
        auto p = std::make_shared<TPixmap>(img.width, img.height);
        const int ox = kPad + int(f) % t.columns * cellW, oy = kPad + int(f) / t.columns * cellH;
        for (int y = 0; y < img.height; ++y)
            std::copy_n(&atlas[size_t(oy + y) * size_t(t.texW) + size_t(ox)], img.width,
                        &p->pixels[size_t(y) * size_t(img.width)]);
        img.frames[f] = p;
    }
    t.pixelsInTexture = false;
    return true;
}

namespace {

// A large picture drawn 1:1: runs of opaque blocks first, without blending when the draw state
// allows it, then runs of mixed blocks; transparent blocks add nothing in the blending modes.
// The blocks do not overlap, so their order among themselves does not matter.
void DrawBlocks(const GpuTexture& t, int width, int height, float left, float top, float cellX, float cellY) {
    for (const uint8_t kind : {BLOCK_OPAQUE, BLOCK_MIXED}) {
        const int blend = kind == BLOCK_OPAQUE ? EffectiveBlend(true) : g_st.blend;
        for (int by = 0; by < t.blocksY; ++by) {
            const uint8_t* row = &t.blocks[size_t(by) * size_t(t.blocksX)];
            for (int bx = 0; bx < t.blocksX;) {
                if (row[bx] != kind) {
                    ++bx;
                    continue;
                }
                int end = bx;
                while (end < t.blocksX && row[end] == kind) ++end;
                const float x0 = float(bx * kBlock), y0 = float(by * kBlock);
                const float x1 = float(std::min(end * kBlock, width)), y1 = float(std::min((by + 1) * kBlock, height));
                const float px[4] = {left + x0, left + x1, left + x1, left + x0};
                const float py[4] = {top + y0, top + y0, top + y1, top + y1};
                UseBatch(t.id, blend, SAMPLE_NEAREST);
                PushQuad(px, py, (cellX + x0) / float(t.texW), (cellY + y0) / float(t.texH),
                         (cellX + x1) / float(t.texW), (cellY + y1) / float(t.texH));
                bx = end;
            }
        }
    }
}

void DrawFramePart(const ImageRef& img, float x, float y, float bx0, float by0, float bx1, float by1, float sx,
                   float sy, float sw, float sh, int frame) {
    if (!img || !g_r.open || frame < 0 || frame >= int(img->frames.size())) return;
    if (img->dirty || !img->gpu) {
        Flush();
        UploadImage(*img);
    }
    if (Invisible()) return;
    const GpuTexture& t = *img->gpu;
    float cellX = float(kPad + (frame % t.columns) * (img->width + kPad));
    float cellY = float(kPad + (frame / t.columns) * (img->height + kPad));
    float u0 = (cellX + sx) / float(t.texW), v0 = (cellY + sy) / float(t.texH);
    float u1 = (cellX + sx + sw) / float(t.texW), v1 = (cellY + sy + sh) / float(t.texH);
    float px[4], py[4];
    TransformBox(x, y, bx0, by0, bx1, by1, px, py);
    // Unturned, unscaled and on whole pixels: every pixel centre falls on a texel centre.
    const bool oneToOne = g_st.ix == 1 && g_st.iy == 0 && g_st.jx == 0 && g_st.jy == 1 && bx1 - bx0 == sw &&
                          by1 - by0 == sh && px[0] == std::floor(px[0]) && py[0] == std::floor(py[0]) &&
                          sx == std::floor(sx) && sy == std::floor(sy);
    int sampler = SAMPLE_NEAREST;
    if ((img->flags & FILTEREDIMAGE) && !oneToOne) {
        const float scale = std::min(std::hypot(g_st.ix, g_st.iy) * (bx1 - bx0) / std::max(sw, 1e-6f),
                                     std::hypot(g_st.jx, g_st.jy) * (by1 - by0) / std::max(sh, 1e-6f));
        sampler = (t.mipmapped && scale < 0.999f) ? SAMPLE_MIPMAP : SAMPLE_LINEAR;
    }
    if (oneToOne && !t.blocks.empty() && sx == 0 && sy == 0 && sw == float(img->width) && sh == float(img->height) &&
        g_st.blend != SOLIDBLEND) {
        DrawBlocks(t, img->width, img->height, px[0], py[0], cellX, cellY);
        return;
    }
    UseBatch(t.id, EffectiveBlend(oneToOne && t.opaque), sampler);
    PushQuad(px, py, u0, v0, u1, v1);
}

void SolidQuad(const float px[4], const float py[4]) {
    if (!g_r.open || Invisible()) return;
    UseBatch(g_r.whiteTex, EffectiveBlend(true), SAMPLE_NEAREST);
    PushQuad(px, py, 0, 0, 1, 1);
}

bool CreateTargets() {
    glGenTextures(1, &g_r.fboTex);
    glBindTexture(GL_TEXTURE_2D, g_r.fboTex);
    glTexImage2D(GL_TEXTURE_2D, 0, kTextureFormat, kLogicalWidth, kLogicalHeight, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenFramebuffers(1, &g_r.fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, g_r.fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, g_r.fboTex, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;

    GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
    for (int m = 0; m < MODE_COUNT; ++m) {
        GLuint fs = Compile(GL_FRAGMENT_SHADER, kFragmentShaders[m], kFragmentPrelude);
        GLuint& prog = g_r.programs[m];
        prog = glCreateProgram();
        glAttachShader(prog, vs);
        glAttachShader(prog, fs);
        glLinkProgram(prog);
        glDeleteShader(fs);
        GLint linked = 0;
        glGetProgramiv(prog, GL_LINK_STATUS, &linked);
        if (!linked) {
            glDeleteShader(vs);
            return false;
        }
        glUseProgram(prog);
        glUniform1i(glGetUniformLocation(prog, "uTex"), 0);
    }
    glDeleteShader(vs);

    glGenSamplers(SAMPLE_COUNT, g_r.samplers);
    const GLint minFilter[SAMPLE_COUNT] = {GL_NEAREST, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
    const GLint magFilter[SAMPLE_COUNT] = {GL_NEAREST, GL_LINEAR, GL_LINEAR};
    for (int i = 0; i < SAMPLE_COUNT; ++i) {
        glSamplerParameteri(g_r.samplers[i], GL_TEXTURE_MIN_FILTER, minFilter[i]);
        glSamplerParameteri(g_r.samplers[i], GL_TEXTURE_MAG_FILTER, magFilter[i]);
        glSamplerParameteri(g_r.samplers[i], GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(g_r.samplers[i], GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }

    glGenVertexArrays(1, &g_r.vao);
    glBindVertexArray(g_r.vao);
    glGenBuffers(1, &g_r.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, g_r.vbo);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), (void*)offsetof(Vertex, x));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), (void*)offsetof(Vertex, u));
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), (void*)offsetof(Vertex, r));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);

    uint32_t white = 0xffffffffu;
    glGenTextures(1, &g_r.whiteTex);
    glBindTexture(GL_TEXTURE_2D, g_r.whiteTex);
    glTexImage2D(GL_TEXTURE_2D, 0, kTextureFormat, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white);
    return true;
}

// Largest rectangle of the logical aspect ratio that fits the window, centred.
void PresentRect(int winW, int winH, int& x, int& y, int& w, int& h) {
    w = winW;
    h = winW * kLogicalHeight / kLogicalWidth;
    if (h > winH) {
        h = winH;
        w = winH * kLogicalWidth / kLogicalHeight;
    }
    x = (winW - w) / 2;
    y = (winH - h) / 2;
}

int MapKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return int(k - SDLK_a) + 'A';
    if (k >= SDLK_0 && k <= SDLK_9) return int(k);
    if (k >= SDLK_F1 && k <= SDLK_F12) return KEY_F1 + int(k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return KEY_NUM0 + 1 + int(k - SDLK_KP_1);
    switch (k) {
        case SDLK_BACKSPACE:
            return KEY_BACKSPACE;
        case SDLK_TAB:
            return KEY_TAB;
        case SDLK_RETURN:
            return KEY_ENTER;
        case SDLK_KP_ENTER:
            return KEY_ENTER;
        case SDLK_ESCAPE:
            return KEY_ESCAPE;
        case SDLK_SPACE:
            return KEY_SPACE;
        case SDLK_PAGEUP:
            return KEY_PAGEUP;
        case SDLK_PAGEDOWN:
            return KEY_PAGEDOWN;
        case SDLK_END:
            return KEY_END;
        case SDLK_HOME:
            return KEY_HOME;
        case SDLK_LEFT:
            return KEY_LEFT;
        case SDLK_UP:
            return KEY_UP;
        case SDLK_RIGHT:
            return KEY_RIGHT;
        case SDLK_DOWN:
            return KEY_DOWN;
        case SDLK_INSERT:
            return KEY_INSERT;
        case SDLK_DELETE:
            return KEY_DELETE;
        case SDLK_KP_0:
            return KEY_NUM0;
        case SDLK_KP_MULTIPLY:
            return KEY_NUMMULTIPLY;
        case SDLK_KP_PLUS:
            return KEY_NUMADD;
        case SDLK_KP_MINUS:
            return KEY_NUMSUBTRACT;
        case SDLK_KP_PERIOD:
            return KEY_NUMDECIMAL;
        case SDLK_KP_DIVIDE:
            return KEY_NUMDIVIDE;
        case SDLK_LSHIFT:
            return KEY_LSHIFT;
        case SDLK_RSHIFT:
            return KEY_RSHIFT;
        case SDLK_LCTRL:
            return KEY_LCONTROL;
        case SDLK_RCTRL:
            return KEY_RCONTROL;
        case SDLK_LALT:
            return KEY_LALT;
        case SDLK_RALT:
            return KEY_RALT;
        default:
            return -1;
    }
}

int MapButton(uint8_t b) {
    switch (b) {
        case SDL_BUTTON_LEFT:
            return MOUSE_LEFT;
        case SDL_BUTTON_RIGHT:
            return MOUSE_RIGHT;
        case SDL_BUTTON_MIDDLE:
            return MOUSE_MIDDLE;
        default:
            return 0;
    }
}

void WindowToLogical(int wx, int wy, int& lx, int& ly) {
    int ww = kLogicalWidth, wh = kLogicalHeight, winW = kLogicalWidth, winH = kLogicalHeight;
    if (g_r.window) {
        SDL_GL_GetDrawableSize(g_r.window, &ww, &wh);
        SDL_GetWindowSize(g_r.window, &winW, &winH);
    }
    MapWindowToLogical(ww, wh, winW, winH, wx, wy, lx, ly);
}

// Latin-1 is what the game's fonts and files carry; other characters are dropped.
std::string Utf8ToLatin1(const char* s) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p;) {
        unsigned c = *p;
        if (c < 0x80) {
            out.push_back(char(c));
            ++p;
        } else if ((c & 0xe0) == 0xc0 && (p[1] & 0xc0) == 0x80) {
            unsigned cp = ((c & 0x1f) << 6) | (p[1] & 0x3f);
            if (cp < 256) out.push_back(char(cp));
            p += 2;
        } else {
            ++p;
            while ((*p & 0xc0) == 0x80) ++p;
        }
    }
    return out;
}

void PumpEvents() {
    if (!g_r.window) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                InputClose();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) InputClose();
                break;
            case SDL_MOUSEMOTION: {
                int x, y;
                WindowToLogical(e.motion.x, e.motion.y, x, y);
                InputMouseMove(x, y);
                break;
            }
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (int b = MapButton(e.button.button)) InputMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN);
                break;
            case SDL_MOUSEWHEEL:
                InputWheel(e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y);
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                bool down = e.type == SDL_KEYDOWN;
                SDL_Keycode k = e.key.keysym.sym;
                if (down && !e.key.repeat && (k == SDLK_F11 || (k == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT)))) {
                    ToggleFullscreen();
                    break;
                }
                int vk = MapKey(k);
                if (vk >= 0) InputKey(vk, down);
                break;
            }
            case SDL_TEXTINPUT:
                InputTypeText(Utf8ToLatin1(e.text.text));
                break;
            default:
                break;
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void MapWindowToLogical(int drawW, int drawH, int winW, int winH, int wx, int wy, int& lx, int& ly) {
    // Mouse events come in window points; the drawable may be larger on high-DPI screens.
    double scaleX = winW > 0 ? double(drawW) / winW : 1.0, scaleY = winH > 0 ? double(drawH) / winH : 1.0;
    int x, y, w, h;
    PresentRect(drawW, drawH, x, y, w, h);
    if (w <= 0 || h <= 0) {
        lx = wx;
        ly = wy;
        return;
    }
    lx = int(std::floor((wx * scaleX - x) * kLogicalWidth / w));
    ly = int(std::floor((wy * scaleY - y) * kLogicalHeight / h));
}

GpuTexture::~GpuTexture() {
    if (id) {
        g_textureBytes -= bytes;
        --g_textureCount;
    }
    if (!id || !g_r.open) return;
    // An image may be released right after it was drawn: send its pending sprites first.
    if (g_r.haveBatch && g_r.batch.tex == id) {
        Flush();
        g_r.haveBatch = false;
    }
    glDeleteTextures(1, &id);
}

TextureMemory LiveTextureMemory() { return {g_textureCount, g_textureBytes}; }

void SetGraphicsOptions(const GraphicsOptions& opts) { g_r.options = opts; }

bool Graphics(int width, int height, int, int hz, int) {
    if (g_r.open) return true;
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Cannot open the display: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (g_r.options.hidden) flags |= SDL_WINDOW_HIDDEN;
    g_r.window =
        SDL_CreateWindow(g_r.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!g_r.window) {
        std::fprintf(stderr, "Cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    timespec created;
    clock_gettime(CLOCK_MONOTONIC, &created);
    g_windowCreatedNs = int64_t(created.tv_sec) * 1000000000 + created.tv_nsec;
    g_r.context = SDL_GL_CreateContext(g_r.window);
    if (!g_r.context) {
        std::fprintf(stderr, "Cannot create an OpenGL 3.3 context: %s\n", SDL_GetError());
        SDL_DestroyWindow(g_r.window);
        g_r.window = nullptr;
        return false;
    }
    SDL_GL_SetSwapInterval(g_virtualClock ? 0 : 1);
    if (!CreateTargets()) {
        std::fprintf(stderr, "Cannot set up the renderer\n");
        EndGraphics();
        return false;
    }
    g_r.hz = hz > 0 ? hz : 60;
    g_r.open = true;
    // At exit the GL context may already be gone when global pictures are released; from
    // then on their textures are simply forgotten.
    static bool atExitRegistered = (std::atexit([] {
                                        g_r.open = false;
                                        g_r.verts.clear();
                                    }),
                                    true);
    (void)atExitRegistered;
    g_r.nextFrame = std::chrono::steady_clock::now();
    SDL_StartTextInput();
    // The framebuffer starts black and opaque.
    glBindFramebuffer(GL_FRAMEBUFFER, g_r.fbo);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    return true;
}

bool GraphicsOpen() { return g_r.open; }

void EndGraphics() {
    g_r.verts.clear();
    g_r.haveBatch = false;
    if (g_r.context) {
        glDeleteFramebuffers(1, &g_r.fbo);
        glDeleteTextures(1, &g_r.fboTex);
        glDeleteTextures(1, &g_r.whiteTex);
        glDeleteBuffers(1, &g_r.vbo);
        glDeleteVertexArrays(1, &g_r.vao);
        for (GLuint& prog : g_r.programs) glDeleteProgram(prog);
        glDeleteSamplers(SAMPLE_COUNT, g_r.samplers);
        SDL_GL_DeleteContext(g_r.context);
    }
    if (g_r.window) SDL_DestroyWindow(g_r.window);
    g_r.context = nullptr;
    g_r.window = nullptr;
    g_r.fbo = g_r.fboTex = g_r.whiteTex = g_r.vbo = g_r.vao = 0;
    for (GLuint& prog : g_r.programs) prog = 0;
    for (GLuint& smp : g_r.samplers) smp = 0;
    g_r.vboCapacity = 0;
    g_r.open = false;
}

void AppTitle(const std::string& title) {
    g_r.title = title;
    if (g_r.window) SDL_SetWindowTitle(g_r.window, title.c_str());
}

void Cls() {
    if (!g_r.open) return;
    Flush();
    int x, y, w, h;
    ClampedViewport(x, y, w, h);
    glBindFramebuffer(GL_FRAMEBUFFER, g_r.fbo);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(ColorByte(g_st.clsR) / 255.0f, ColorByte(g_st.clsG) / 255.0f, ColorByte(g_st.clsB) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void Flip(int sync) {
    if (g_r.open) {
        Flush();
        int ww, wh;
        SDL_GL_GetDrawableSize(g_r.window, &ww, &wh);
        int x, y, w, h;
        PresentRect(ww, wh, x, y, w, h);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, g_r.fbo);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glDisable(GL_SCISSOR_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glViewport(0, 0, ww, wh);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        // Framebuffer row 0 is the logical top row; the window's row 0 is its bottom.
        glBlitFramebuffer(0, 0, kLogicalWidth, kLogicalHeight, x, y + h, x + w, y, GL_COLOR_BUFFER_BIT,
                          (w == kLogicalWidth && h == kLogicalHeight) ? GL_NEAREST : GL_LINEAR);
        SDL_GL_SwapWindow(g_r.window);
        g_r.drawCallsLast = g_r.drawCalls;
        g_r.drawCalls = 0;
        if (sync != 0 && !g_virtualClock) {
            auto period = std::chrono::microseconds(1000000 / g_r.hz);
            auto now = std::chrono::steady_clock::now();
            g_r.nextFrame += period;
            if (g_r.nextFrame < now - period * 4) g_r.nextFrame = now;  // fell far behind: don't race
            if (g_r.nextFrame > now) std::this_thread::sleep_until(g_r.nextFrame);
        }
    }
    ++g_flips;
    // The shader compiler runs on the first frames of each new drawing state and its code then
    // lies idle, as do the embedded files once read: giving their pages back every ten seconds or
    // so keeps them out of a long session's memory.
    if (g_r.open && g_flips % kReleaseIdlePagesEvery == 0) {
        ReleaseDriverCodePages();
        ReleaseEmbeddedPages();
    }
    PumpEvents();
    if (g_afterFlip) g_afterFlip(g_flips);
}

int64_t FlipCount() { return g_flips; }
int64_t WindowCreatedNs() { return g_windowCreatedNs; }
void SetVirtualClock(bool on) { g_virtualClock = on; }
bool VirtualClock() { return g_virtualClock; }
void SetAfterFlipHook(std::function<void(int64_t)> hook) { g_afterFlip = std::move(hook); }

void ToggleFullscreen() {
    if (!g_r.window) return;
    g_r.fullscreen = !g_r.fullscreen;
    SDL_SetWindowFullscreen(g_r.window, g_r.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

int DrawCallsLastFrame() { return g_r.drawCallsLast; }

void ShowMouse() { SDL_ShowCursor(SDL_ENABLE); }
void HideMouse() { SDL_ShowCursor(SDL_DISABLE); }

void MoveMouse(int x, int y) {
    InputMouseMove(x, y);
    if (!g_r.window) return;
    int ww, wh, winW, winH;
    SDL_GL_GetDrawableSize(g_r.window, &ww, &wh);
    SDL_GetWindowSize(g_r.window, &winW, &winH);
    int px, py, w, h;
    PresentRect(ww, wh, px, py, w, h);
    double sx = ww ? double(winW) / ww : 1.0, sy = wh ? double(winH) / wh : 1.0;
    SDL_WarpMouseInWindow(g_r.window, int((px + x * w / kLogicalWidth) * sx), int((py + y * h / kLogicalHeight) * sy));
}

// ---- state ----
void SetColor(int r, int g, int b) {
    g_st.r = r;
    g_st.g = g;
    g_st.b = b;
}
void GetColor(int& r, int& g, int& b) {
    r = g_st.r;
    g = g_st.g;
    b = g_st.b;
}
void SetAlpha(float a) { g_st.alpha = a; }
float GetAlpha() { return g_st.alpha; }
void SetBlend(int mode) { g_st.blend = (mode >= MASKBLEND && mode <= SHADEBLEND) ? mode : ALPHABLEND; }
int GetBlend() { return g_st.blend; }
void SetRotation(float degrees) {
    g_st.rot = degrees;
    RecomputeTransform();
}
float GetRotation() { return g_st.rot; }
void SetScale(float sx, float sy) {
    g_st.sx = sx;
    g_st.sy = sy;
    RecomputeTransform();
}
void GetScale(float& sx, float& sy) {
    sx = g_st.sx;
    sy = g_st.sy;
}
void SetViewport(int x, int y, int w, int h) {
    g_st.vx = x;
    g_st.vy = y;
    g_st.vw = w;
    g_st.vh = h;
}
void GetViewport(int& x, int& y, int& w, int& h) {
    x = g_st.vx;
    y = g_st.vy;
    w = g_st.vw;
    h = g_st.vh;
}
void SetOrigin(float x, float y) {
    g_st.ox = x;
    g_st.oy = y;
}
void GetOrigin(float& x, float& y) {
    x = g_st.ox;
    y = g_st.oy;
}
void SetHandle(float x, float y) {
    g_st.hx = x;
    g_st.hy = y;
}
void GetHandle(float& x, float& y) {
    x = g_st.hx;
    y = g_st.hy;
}
void SetClsColor(int r, int g, int b) {
    g_st.clsR = r;
    g_st.clsG = g;
    g_st.clsB = b;
}
void GetClsColor(int& r, int& g, int& b) {
    r = g_st.clsR;
    g = g_st.clsG;
    b = g_st.clsB;
}
void ResetDrawState() { g_st = DrawState{}; }

// ---- drawing ----
void DrawImage(const ImageRef& img, float x, float y, int frame) {
    if (!img) return;
    float w = float(img->width), h = float(img->height);
    DrawFramePart(img, x, y, -img->handle_x, -img->handle_y, w - img->handle_x, h - img->handle_y, 0, 0, w, h, frame);
}

void DrawImageRect(const ImageRef& img, float x, float y, float w, float h, int frame) {
    if (!img || img->width <= 0 || img->height <= 0) return;
    float kx = w / float(img->width), ky = h / float(img->height);
    DrawFramePart(img, x, y, -img->handle_x * kx, -img->handle_y * ky, w - img->handle_x * kx, h - img->handle_y * ky,
                  0, 0, float(img->width), float(img->height), frame);
}

void DrawSubImageRect(const ImageRef& img, float x, float y, float sx, float sy, float sw, float sh, int frame) {
    if (!img) return;
    DrawFramePart(img, x, y, -img->handle_x, -img->handle_y, sw - img->handle_x, sh - img->handle_y, sx, sy, sw, sh,
                  frame);
}

void DrawRect(float x, float y, float w, float h) {
    float px[4], py[4];
    TransformBox(x, y, -g_st.hx, -g_st.hy, w - g_st.hx, h - g_st.hy, px, py);
    SolidQuad(px, py);
}

void DrawLine(float x1, float y1, float x2, float y2) {
    // A one-pixel-wide quad along the transformed line, through pixel centres.
    float ax = x1 + g_st.ox + 0.5f + (-g_st.hx) * g_st.ix + (-g_st.hy) * g_st.jx;
    float ay = y1 + g_st.oy + 0.5f + (-g_st.hx) * g_st.iy + (-g_st.hy) * g_st.jy;
    float dx0 = x2 - x1 - g_st.hx, dy0 = y2 - y1 - g_st.hy;
    float bx = x1 + g_st.ox + 0.5f + dx0 * g_st.ix + dy0 * g_st.jx;
    float by = y1 + g_st.oy + 0.5f + dx0 * g_st.iy + dy0 * g_st.jy;
    float dx = bx - ax, dy = by - ay;
    float len = std::sqrt(dx * dx + dy * dy);
    float nx = 0, ny = 0.5f;
    if (len > 0) {
        nx = -dy / len * 0.5f;
        ny = dx / len * 0.5f;
        // Extend by half a pixel at both ends so the end pixels are covered.
        ax -= dx / len * 0.5f;
        ay -= dy / len * 0.5f;
        bx += dx / len * 0.5f;
        by += dy / len * 0.5f;
    } else {
        ax -= 0.5f;
        bx += 0.5f;
    }
    float px[4] = {ax + nx, bx + nx, bx - nx, ax - nx}, py[4] = {ay + ny, by + ny, by - ny, ay - ny};
    SolidQuad(px, py);
}

void Plot(float x, float y) {
    float px0 = x + g_st.ox, py0 = y + g_st.oy;
    float px[4] = {px0, px0 + 1, px0 + 1, px0}, py[4] = {py0, py0, py0 + 1, py0 + 1};
    SolidQuad(px, py);
}

PixmapRef GrabPixmap(int x, int y, int w, int h) {
    auto pix = CreatePixmap(w, h);
    if (!g_r.open || w <= 0 || h <= 0) return pix;
    Flush();
    int x0 = std::max(0, x), y0 = std::max(0, y);
    int x1 = std::min(kLogicalWidth, x + w), y1 = std::min(kLogicalHeight, y + h);
    if (x1 <= x0 || y1 <= y0) return pix;
    glBindFramebuffer(GL_FRAMEBUFFER, g_r.fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, pix->pitch);
    uint32_t* dst = &pix->pixels[size_t(y0 - y) * size_t(pix->pitch) + size_t(x0 - x)];
    glReadPixels(x0, y0, x1 - x0, y1 - y0, GL_BGRA, GL_UNSIGNED_BYTE, dst);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    return pix;
}

void GrabImage(const ImageRef& img, int x, int y, int frame) {
    if (!img || frame < 0 || frame >= int(img->frames.size())) return;
    RestoreImagePixels(*img);  // the other frames go into the next upload too
    PixmapRef p = GrabPixmap(x - int(img->handle_x), y - int(img->handle_y), img->width, img->height);
    if (img->flags & MASKEDIMAGE)
        for (uint32_t& px : p->pixels)
            if ((px & 0x00ffffffu) == 0) px = 0;
    img->frames[size_t(frame)] = p;
    img->dirty = true;
}
