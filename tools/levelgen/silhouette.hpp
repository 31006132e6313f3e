// Silhouettes compared as a player sees them: two figures are the same when one is the other
// shifted, turned by quarter turns or mirrored, whatever pieces build them. The outlines are
// sampled on a grid that spans the figure's bounding box, so a quarter turn maps samples onto
// samples; piece centres rounded to whole pixels move an edge by half a pixel at most, which
// the tolerance absorbs.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/levelgen/tangram.hpp"

namespace levelgen {

struct Silhouette {
    int w = 0, h = 0;
    std::vector<uint8_t> px;  // w * h samples, row by row
    int area = 0;             // filled samples

    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && px[size_t(y * w + x)]; }
};

// Samples of about `step` pixels over the union of the piece outlines.
inline Silhouette Rasterise(const std::vector<std::vector<Vec>>& polys, double step = 3.0) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const auto& poly : polys)
        for (const Vec& v : poly)
            x0 = std::min(x0, v.x), y0 = std::min(y0, v.y), x1 = std::max(x1, v.x), y1 = std::max(y1, v.y);
    Silhouette s;
    if (polys.empty()) return s;
    s.w = std::max(1, int(std::lround((x1 - x0) / step)));
    s.h = std::max(1, int(std::lround((y1 - y0) / step)));
    s.px.assign(size_t(s.w * s.h), 0);
    const double sx = (x1 - x0) / s.w, sy = (y1 - y0) / s.h;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            // Probes a pixel around the sample close the hairline gaps that whole-pixel piece
            // centres leave between neighbours.
            bool in = false;
            for (int k = 0; k < 5 && !in; ++k) {
                static const double off[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
                Vec p{x0 + (x + 0.5) * sx + off[k][0], y0 + (y + 0.5) * sy + off[k][1]};
                for (const auto& poly : polys) {
                    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
                        const Vec& a = poly[i];
                        const Vec& b = poly[j];
                        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
                    }
                    if (in) break;
                }
            }
            s.px[size_t(y * s.w + x)] = in;
            s.area += in;
        }
    return s;
}

// One of the eight quarter turns and mirror images of a silhouette.
inline Silhouette Transformed(const Silhouette& s, int k) {
    Silhouette r;
    bool swap = k & 1;
    r.w = swap ? s.h : s.w;
    r.h = swap ? s.w : s.h;
    r.px.assign(s.px.size(), 0);
    r.area = s.area;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            int mx = (k & 4) ? s.w - 1 - x : x;
            int nx = mx, ny = y;
            switch (k & 3) {
                case 1:
                    nx = s.h - 1 - y, ny = mx;
                    break;
                case 2:
                    nx = s.w - 1 - mx, ny = s.h - 1 - y;
                    break;
                case 3:
                    nx = y, ny = s.w - 1 - mx;
                    break;
                default:
                    break;
            }
            r.px[size_t(ny * r.w + nx)] = s.px[size_t(y * s.w + x)];
        }
    return r;
}

// Share of samples in which the two silhouettes differ at their best quarter turn or mirror
// image (1 when no turn even gives them the same size).
inline double SilhouetteDifference(const Silhouette& a, const Silhouette& b) {
    double best = 1.0;
    if (!a.area || !b.area) return best;
    for (int k = 0; k < 8; ++k) {
        Silhouette t = Transformed(b, k);
        if (std::abs(t.w - a.w) > 1 || std::abs(t.h - a.h) > 1) continue;
        // Sizes one sample apart are compared with the smaller one placed at each corner.
        for (int ox = 0; ox <= std::abs(t.w - a.w); ++ox)
            for (int oy = 0; oy <= std::abs(t.h - a.h); ++oy) {
                int dax = a.w < t.w ? ox : 0, day = a.h < t.h ? oy : 0;
                int dtx = t.w < a.w ? ox : 0, dty = t.h < a.h ? oy : 0;
                int w = std::max(a.w, t.w), h = std::max(a.h, t.h), diff = 0;
                // A sample counts as differing only when the other silhouette has nothing of
                // its value next to it either: rounding moves edges, not whole samples.
                auto near = [](const Silhouette& s, int x, int y, bool v) {
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if (s.At(x + dx, y + dy) == v) return true;
                    return false;
                };
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        bool va = a.At(x - dax, y - day), vt = t.At(x - dtx, y - dty);
                        if (va != vt && !(near(t, x - dtx, y - dty, va) && near(a, x - dax, y - day, vt))) ++diff;
                    }
                best = std::min(best, double(diff) / std::max(a.area, t.area));
            }
    }
    return best;
}

// Below this share of differing samples two silhouettes count as one: a small triangle moved
// elsewhere still changes over 2 percent of a seven-piece figure, rounding next to none.
inline constexpr double kSameSilhouette = 0.01;

inline std::vector<std::vector<Vec>> PieceOutlines(const std::vector<Piece>& pieces, int variant) {
    std::vector<std::vector<Vec>> polys;
    for (const Piece& p : pieces) polys.push_back(PlacedOutline(p, variant, false));
    return polys;
}

}  // namespace levelgen
