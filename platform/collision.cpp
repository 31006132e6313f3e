// Pixel-exact collision layers on the CPU. Each layer is a bit field covering the screen and
// a screen's width and height around it, so pieces partly off screen still collide.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/graphics.hpp"
#include "platform/image_pixels.hpp"

namespace {

constexpr int kMinX = -kLogicalWidth, kMinY = -kLogicalHeight;
constexpr int kSpanW = kLogicalWidth * 3, kSpanH = kLogicalHeight * 3;

// A frame as placed on the screen: its pixels (none for a plain rectangle), size and handle,
// and the position, origin, scale and turn in force when it was placed.
struct Placement {
    PixmapRef pix;
    int w = 0, h = 0;
    float hx = 0, hy = 0, x = 0, y = 0;
    float ox = 0, oy = 0, sx = 1, sy = 1, rot = 0;
    double c = 1, s = 0;
};

Placement Place(PixmapRef pix, int w, int h, float hx, float hy, float x, float y) {
    Placement p{std::move(pix), w, h, hx, hy, x, y};
    GetOrigin(p.ox, p.oy);
    GetScale(p.sx, p.sy);
    p.rot = GetRotation();
    p.c = std::cos(p.rot * 3.14159265358979 / 180.0);
    p.s = std::sin(p.rot * 3.14159265358979 / 180.0);
    return p;
}

// Whether the placed frame covers screen pixel (X, Y): its centre, turned back into the frame,
// lands on an opaque pixel. The same arithmetic as the row scan below, term for term.
bool Covers(const Placement& p, int X, int Y) {
    if (p.sx == 0 || p.sy == 0) return false;
    if (X < kMinX || Y < kMinY || X >= kMinX + kSpanW || Y >= kMinY + kSpanH) return false;
    const double px = p.x + p.ox, py = p.y + p.oy;
    const double dy = Y + 0.5 - py, dx = X + 0.5 - px;
    double lx = dx * p.c + dy * p.s, ly = -dx * p.s + dy * p.c;
    if (!(p.sx == 1 && p.sy == 1)) {
        lx /= p.sx;
        ly /= p.sy;
    }
    const double u = lx + p.hx, v = ly + p.hy;
    if (u < 0 || v < 0 || u >= p.w || v >= p.h) return false;
    return !p.pix || (p.pix->ReadPixel(int(u), int(v)) >> 24) != 0;
}

struct Layer {
    std::vector<uint64_t> bits;  // allocated on first write and kept: layers are reset every frame
    bool any = false;
    // Frames written but not yet turned into bits. The tiles write themselves into a layer every
    // frame and are asked only whether the pointer is over one: answering that from the frames
    // costs a few pixels where marking them costs every pixel of every tile.
    std::vector<Placement> pending;
    int rowMin = 0, rowMax = -1;  // rows written since the last reset
    bool Get(int x, int y) const {
        if (!any) return false;
        size_t i = size_t(y - kMinY) * kSpanW + size_t(x - kMinX);
        return (bits[i >> 6] >> (i & 63)) & 1;
    }
    void Set(int x, int y) {
        if (bits.empty()) bits.assign(size_t(kSpanW) * kSpanH / 64 + 1, 0);
        const int row = y - kMinY;
        if (!any) {
            rowMin = rowMax = row;
            any = true;
        }
        rowMin = std::min(rowMin, row);
        rowMax = std::max(rowMax, row);
        size_t i = size_t(row) * kSpanW + size_t(x - kMinX);
        bits[i >> 6] |= uint64_t(1) << (i & 63);
    }
    void Reset() {
        pending.clear();
        if (!any) return;
        const size_t first = size_t(rowMin) * kSpanW >> 6, last = (size_t(rowMax) + 1) * kSpanW / 64 + 1;
        std::fill(bits.begin() + std::ptrdiff_t(first), bits.begin() + std::ptrdiff_t(std::min(last, bits.size())), 0);
        any = false;
    }
};
std::array<Layer, 32> g_layers;

// Calls visit(x, y) for every screen pixel covered by an opaque pixel of the placed frame.
// Returns true as soon as visit does.
template <class Visit>
bool Rasterize(const Placement& p, Visit visit) {
    const TPixmap* pix = p.pix.get();
    const int w = p.w, h = p.h;
    const float hx = p.hx, hy = p.hy, sx = p.sx, sy = p.sy;
    if (sx == 0 || sy == 0) return false;
    const double c = p.c, s = p.s;
    double px = p.x + p.ox, py = p.y + p.oy;
    // Corners of the placed frame give the screen box to scan.
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    const double cx[4] = {-hx, w - hx, w - hx, -hx}, cy[4] = {-hy, -hy, h - hy, h - hy};
    for (int i = 0; i < 4; ++i) {
        double lx = cx[i] * sx, ly = cy[i] * sy;
        double X = px + lx * c - ly * s, Y = py + lx * s + ly * c;
        minX = std::min(minX, X);
        maxX = std::max(maxX, X);
        minY = std::min(minY, Y);
        maxY = std::max(maxY, Y);
    }
    int x0 = std::max(kMinX, int(std::floor(minX))), x1 = std::min(kMinX + kSpanW - 1, int(std::ceil(maxX)));
    int y0 = std::max(kMinY, int(std::floor(minY))), y1 = std::min(kMinY + kSpanH - 1, int(std::ceil(maxY)));
    // Unscaled frames (nearly all of them) skip the divisions; dividing by 1 changes nothing.
    const bool unscaled = sx == 1 && sy == 1;
    // Along a row u and v change linearly with X: only the stretch where both can lie inside
    // the frame (give or take two pixels) needs the exact test below.
    const double du = c / sx, dv = -s / sy;
    auto narrow = [](double at0, double slope, double size, double& lo, double& hi) {
        if (std::fabs(slope) < 1e-9) {
            if (at0 < -1 || at0 > size + 1) hi = lo - 1;  // the whole row misses
            return;
        }
        double a = (0 - at0) / slope, b = (size - at0) / slope;
        if (a > b) std::swap(a, b);
        lo = std::max(lo, a - 2);
        hi = std::min(hi, b + 2);
    };
    for (int Y = y0; Y <= y1; ++Y) {
        const double dy = Y + 0.5 - py;
        // u and v of the pixel centre X = 0 on this row, as the exact test would compute them.
        const double u0 = ((0.5 - px) * c + dy * s) / sx + hx, v0 = (-(0.5 - px) * s + dy * c) / sy + hy;
        double lo = x0, hi = x1;
        narrow(u0, du, w, lo, hi);
        narrow(v0, dv, h, lo, hi);
        if (hi < lo) continue;
        const int from = std::max(x0, int(std::floor(lo))), to = std::min(x1, int(std::ceil(hi)));
        for (int X = from; X <= to; ++X) {
            // Inverse transform of the pixel centre into frame coordinates.
            double dx = X + 0.5 - px;
            double lx = dx * c + dy * s, ly = -dx * s + dy * c;
            if (!unscaled) {
                lx /= sx;
                ly /= sy;
            }
            double u = lx + hx, v = ly + hy;
            if (u < 0 || v < 0 || u >= w || v >= h) continue;
            if (pix && (pix->ReadPixel(int(u), int(v)) >> 24) == 0) continue;
            if (visit(X, Y)) return true;
        }
    }
    return false;
}

// The layers named by a mask, so the per-pixel work loops over those alone.
struct LayerList {
    std::array<Layer*, 32> layers;
    int count = 0;
    explicit LayerList(uint32_t mask) {
        for (int l = 0; l < 32; ++l)
            if ((mask >> l) & 1) layers[size_t(count++)] = &g_layers[size_t(l)];
    }
};

// Turns the frames written into a layer into its bits.
void Settle(Layer& layer) {
    std::vector<Placement> writes;
    writes.swap(layer.pending);
    for (const Placement& p : writes)
        Rasterize(p, [&](int X, int Y) {
            layer.Set(X, Y);
            return false;
        });
}

// A test of at most this many pixels (the pointer's box) asks the pending frames directly.
constexpr double kSmallTest = 64;
// A layer written again and again without a reset settles now and then.
constexpr size_t kMaxPending = 64;

bool TestAndWrite(const PixmapRef& pix, int w, int h, float hx, float hy, float x, float y, uint32_t testMask,
                  uint32_t writeMask) {
    bool hit = false;
    const Placement placed = Place(pix, w, h, hx, hy, x, y);
    if (testMask) {
        LayerList tested(testMask);
        // Layers never written hold nothing to hit.
        int live = 0;
        for (int i = 0; i < tested.count; ++i)
            if (tested.layers[size_t(i)]->any || !tested.layers[size_t(i)]->pending.empty())
                tested.layers[size_t(live++)] = tested.layers[size_t(i)];
        tested.count = live;
        if (live > 0 && double(w) * double(h) * std::fabs(double(placed.sx) * double(placed.sy)) > kSmallTest)
            for (int i = 0; i < tested.count; ++i) Settle(*tested.layers[size_t(i)]);
        if (live > 0)
            hit = Rasterize(placed, [&](int X, int Y) {
                for (int i = 0; i < tested.count; ++i) {
                    const Layer& layer = *tested.layers[size_t(i)];
                    if (layer.Get(X, Y)) return true;
                    for (const Placement& p : layer.pending)
                        if (Covers(p, X, Y)) return true;
                }
                return false;
            });
    }
    if (writeMask) {
        LayerList written(writeMask);
        for (int i = 0; i < written.count; ++i) {
            Layer& layer = *written.layers[size_t(i)];
            layer.pending.push_back(placed);
            if (layer.pending.size() > kMaxPending) Settle(layer);
        }
    }
    return hit;
}

}  // namespace

void ResetCollisions(uint32_t mask) {
    for (int l = 0; l < 32; ++l)
        if ((mask >> l) & 1) g_layers[size_t(l)].Reset();
}

bool CollideImage(const ImageRef& img, float x, float y, int frame, uint32_t testMask, uint32_t writeMask) {
    if (!img || frame < 0 || frame >= int(img->frames.size())) return false;
    RestoreImagePixels(*img);
    return TestAndWrite(img->frames[size_t(frame)], img->width, img->height, img->handle_x, img->handle_y, x, y,
                        testMask, writeMask);
}

bool CollideRect(float x, float y, float w, float h, uint32_t testMask, uint32_t writeMask) {
    if (w <= 0 || h <= 0) return false;
    float hx, hy;
    GetHandle(hx, hy);
    // A rectangle of w x h is a frame without transparent pixels.
    return TestAndWrite(nullptr, int(std::ceil(w)), int(std::ceil(h)), hx, hy, x, y, testMask, writeMask);
}

bool ImagesCollide(const ImageRef& a, float x1, float y1, int f1, const ImageRef& b, float x2, float y2, int f2) {
    if (!a || !b || f1 < 0 || f2 < 0 || f1 >= int(a->frames.size()) || f2 >= int(b->frames.size())) return false;
    int ax = int(std::floor(x1 - a->handle_x)), ay = int(std::floor(y1 - a->handle_y));
    int bx = int(std::floor(x2 - b->handle_x)), by = int(std::floor(y2 - b->handle_y));
    int x0 = std::max(ax, bx), y0 = std::max(ay, by);
    int xe = std::min(ax + a->width, bx + b->width), ye = std::min(ay + a->height, by + b->height);
    RestoreImagePixels(*a);
    RestoreImagePixels(*b);
    const TPixmap& pa = *a->frames[size_t(f1)];
    const TPixmap& pb = *b->frames[size_t(f2)];
    for (int y = y0; y < ye; ++y)
        for (int x = x0; x < xe; ++x)
            if ((pa.ReadPixel(x - ax, y - ay) >> 24) && (pb.ReadPixel(x - bx, y - by) >> 24)) return true;
    return false;
}
