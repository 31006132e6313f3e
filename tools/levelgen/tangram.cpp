#include "tools/levelgen/tangram.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

namespace levelgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
const double kR2 = std::sqrt(2.0);
const char kLetters[] = "LMSQP";
constexpr int kArea[5] = {16, 8, 4, 8, 8};  // quarters of a lattice cell

bool Inside(const std::vector<Vec>& poly, Vec p) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Vec& a = poly[i];
        const Vec& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

Vec QuarterCentroid(int cx, int cy, int q) {
    static const double ox[4] = {0.5, 5.0 / 6, 0.5, 1.0 / 6};
    static const double oy[4] = {1.0 / 6, 0.5, 5.0 / 6, 0.5};
    return {cx + ox[q], cy + oy[q]};
}

// One lattice orientation of a piece, its cover anchored at the bounding box's corner.
struct Orient {
    int elem, rot, variant;
    int w, h;
    Vec centre;  // picture centre from the bounding box's corner, in steps
    std::vector<std::array<int, 3>> quarters;
    QSet base;
};

Orient MakeOrient(int elem, int rot, int variant) {
    Orient o{elem, rot, variant, 0, 0, {0, 0}, {}, {}};
    std::vector<Vec> poly = Outline(elem, variant);
    double minx = 1e9, miny = 1e9, maxx = -1e9, maxy = -1e9;
    for (Vec& v : poly) {
        v = Rotate(v, rot);
        minx = std::min(minx, v.x), miny = std::min(miny, v.y);
        maxx = std::max(maxx, v.x), maxy = std::max(maxy, v.y);
    }
    for (Vec& v : poly) v = {v.x - minx, v.y - miny};
    o.w = int(std::lround(maxx - minx));
    o.h = int(std::lround(maxy - miny));
    o.centre = {-minx, -miny};
    for (int cy = 0; cy < o.h; ++cy)
        for (int cx = 0; cx < o.w; ++cx)
            for (int q = 0; q < 4; ++q)
                if (Inside(poly, QuarterCentroid(cx, cy, q))) {
                    o.quarters.push_back({cx, cy, q});
                    o.base.set(QIndex(cx, cy, q));
                }
    if (int(o.quarters.size()) != kArea[elem]) throw std::logic_error("piece is not on the lattice");
    return o;
}

// Lattice orientations: triangles with legs on the diagonals (medium: on the axes), the square
// on its corner, the parallelogram lying or standing, in both of its mirror images.
const std::vector<Orient>& Orients() {
    static const std::vector<Orient> all = [] {
        std::vector<Orient> v;
        for (int r = 0; r < 360; r += 90) v.push_back(MakeOrient(LARGE, r, 0));
        for (int r = 45; r < 360; r += 90) v.push_back(MakeOrient(MEDIUM, r, 0));
        for (int r = 0; r < 360; r += 90) v.push_back(MakeOrient(SMALL, r, 0));
        v.push_back(MakeOrient(SQUARE, 0, 0));
        for (int var = 0; var < 2; ++var)
            for (int r = 0; r < 180; r += 90) v.push_back(MakeOrient(PARA, r, var));
        return v;
    }();
    return all;
}

const Orient* FindOrient(int elem, int rot, int variant) {
    rot = ((rot % 360) + 360) % 360;
    if (elem == SQUARE) rot %= 90;
    if (elem == PARA) rot %= 180;
    for (const Orient& o : Orients())
        if (o.elem == elem && o.rot == rot && (elem != PARA || o.variant == variant)) return &o;
    return nullptr;
}

QSet Shifted(const Orient& o, int bx, int by) {
    if (bx < 0 || by < 0 || bx + o.w > kGrid || by + o.h > kGrid) return {};
    return o.base << size_t((by * kGrid + bx) * 4);
}

struct Options {
    double turn = 0;
    bool mirror = false;
    uint64_t seed = 1;
    int variant = 0;
    std::string style = "sym";
    std::string pieces = "LLMSSQP";
};

// Turns lattice placements into the pieces of a level, centred on the playfield.
Figure Assemble(const std::string& name, const std::vector<Place>& places, const Options& opt) {
    Figure f;
    f.name = name;
    f.variant = opt.variant;
    for (const Place& p : places) {
        const Orient* o = FindOrient(p.elem, p.rot, p.variant);
        if (!o) throw std::invalid_argument(name + ": piece off the lattice");
        if (p.elem == PARA) f.variant = p.variant;
        f.pieces.push_back({p.elem, (p.bx + o->centre.x) * kStep, (p.by + o->centre.y) * kStep, double(p.rot)});
    }
    for (Piece& p : f.pieces) {
        Vec c = Rotate({p.x, p.y}, opt.turn);
        p.x = c.x, p.y = c.y;
        p.rot += opt.turn;
        if (opt.mirror) p.x = -p.x, p.rot = -p.rot;
        p.rot = std::fmod(std::fmod(p.rot, 360.0) + 360.0, 360.0);
    }
    if (opt.mirror) f.variant ^= 1;
    double minx = 1e9, miny = 1e9, maxx = -1e9, maxy = -1e9;
    for (const Piece& p : f.pieces)
        for (Vec v : PlacedOutline(p, f.variant, false)) {
            minx = std::min(minx, v.x), miny = std::min(miny, v.y);
            maxx = std::max(maxx, v.x), maxy = std::max(maxy, v.y);
        }
    double dx = kCentreX - (minx + maxx) / 2, dy = kCentreY - (miny + maxy) / 2;
    // Piece centres must stay in x 81..455, y 83..438: a wide figure moves off the middle as
    // far as the playfield allows.
    double cx0 = 1e9, cx1 = -1e9, cy0 = 1e9, cy1 = -1e9;
    for (const Piece& p : f.pieces)
        cx0 = std::min(cx0, p.x), cx1 = std::max(cx1, p.x), cy0 = std::min(cy0, p.y), cy1 = std::max(cy1, p.y);
    if (cx0 + dx < 81.5) dx = std::min(81.5 - cx0, 448 - maxx);
    if (cx1 + dx > 454.5) dx = std::max(454.5 - cx1, 8 - minx);
    if (cy0 + dy < 83.5) dy = std::min(83.5 - cy0, 455 - maxy);
    if (cy1 + dy > 437.5) dy = std::max(437.5 - cy1, 70 - miny);
    // Whole-pixel centres let a dropped tile snap exactly onto its silhouette piece.
    for (Piece& p : f.pieces) p.x = std::round(p.x + dx), p.y = std::round(p.y + dy);
    // The figure must stay inside the playfield that the solution check reads.
    bool centresIn = true;
    for (const Piece& p : f.pieces) centresIn &= p.x >= 81 && p.x <= 455 && p.y >= 83 && p.y <= 438;
    if (!centresIn || minx + dx < 7 || maxx + dx > 449 || miny + dy < 69 || maxy + dy > 456 || f.pieces.empty() ||
        f.pieces.size() > 13)
        throw std::runtime_error(name + ": figure does not fit the playfield");
    std::stable_sort(f.pieces.begin(), f.pieces.end(), [](const Piece& a, const Piece& b) { return a.elem < b.elem; });
    return f;
}

int ElemOfLetter(char c) {
    const char* p = std::strchr(kLetters, c);
    if (!p || !c) throw std::invalid_argument(std::string("unknown piece letter ") + c);
    return int(p - kLetters);
}

std::vector<int> PieceList(const std::string& letters) {
    std::vector<int> v;
    for (char c : letters) v.push_back(ElemOfLetter(c));
    return v;
}

// Covers a drawn outline with pieces: depth-first over the first uncovered outline quarter,
// either covering it with a piece or leaving it open, with a growing allowance for quarters
// left open or sticking out. The first cover found at the smallest allowance wins.
class Fitter {
public:
    Fitter(const QSet& mask, const std::vector<int>& pieces, uint64_t seed) : mask_(mask) {
        for (int i = 0; i < kQuarters; ++i)
            if (mask.test(i)) order_.push_back(i);
        for (int e : pieces) count_[e]++, area_ += kArea[e];
        for (int e = 0; e < 5; ++e) elemOrder_[e] = e;
        symmetric_ = MirrorSymmetry(mask) == 1.0;
        Rng rng(seed);
        // Large pieces first keeps the search small; the seed only varies the rest.
        for (int i = 4; i > 1; --i) std::swap(elemOrder_[i], elemOrder_[1 + rng.Below(i)]);
    }

    bool Solve(std::vector<Place>& out) {
        // Every placement that covers each outline quarter, worked out once.
        for (int t : order_) {
            int tcell = t / 4, tq = t % 4, tx = tcell % kGrid, ty = tcell / kGrid;
            std::vector<Cand>& list = cands_[t];
            for (int e : elemOrder_) {
                if (!count_[e]) continue;
                for (const Orient& o : Orients()) {
                    if (o.elem != e) continue;
                    for (const auto& qd : o.quarters) {
                        if (qd[2] != tq) continue;
                        QSet c = Shifted(o, tx - qd[0], ty - qd[1]);
                        if (c.none()) continue;
                        int inside = int((c & mask_).count());
                        list.push_back({&o, tx - qd[0], ty - qd[1], kArea[e] - inside, inside, c});
                    }
                }
            }
            std::stable_sort(list.begin(), list.end(),
                             [](const Cand& a, const Cand& b) { return a.outside < b.outside; });
        }
        int a = int(order_.size());
        for (int budget = Bound(0, area_, a); budget <= 100; ++budget) {
            nodes_ = 0;
            covered_.reset(), blocked_.reset();
            cost_ = 0, left_ = a, paraVariant_ = -1;
            cur_.clear();
            found_ = 0;
            Dfs(0, budget);
            if (found_) {
                out = best_;
                return true;
            }
        }
        return false;
    }

private:
    static constexpr long kNodeLimit = 50000;
    // A quarter sticking out of the outline costs more than one left open: the figure is
    // carved from inside the drawing rather than spilling over it.
    static constexpr int kOut = 3;

    // Least final cost from here with `rest` quarters of pieces left and `left` outline
    // quarters still open.
    static int Bound(int cost, int rest, int left) {
        return left >= rest ? cost + (left - rest) : cost + kOut * (rest - left);
    }

    struct Cand {
        const Orient* o;
        int bx, by, outside, inside;
        QSet cover;
    };

    bool Dfs(size_t pos, int budget) {
        if (++nodes_ > kNodeLimit) return false;
        while (pos < order_.size() && (covered_.test(order_[pos]) || blocked_.test(order_[pos]))) ++pos;
        if (area_ == 0) {
            if (cost_ + left_ > budget || !EdgeConnected(cur_)) return false;
            // Among the covers of least cost, a symmetric outline wants the most symmetric one.
            double score = 0;
            if (symmetric_) {
                QSet cov;
                for (const Place& p : cur_) cov |= Cover(p);
                score = MirrorSymmetry(cov);
            }
            if (!found_ || score > bestScore_) best_ = cur_, bestScore_ = score;
            return ++found_ >= kSolutions || bestScore_ >= 1.0 || !symmetric_;
        }
        if (pos == order_.size()) return false;
        int t = order_[pos];
        QSet taken = covered_ | blocked_;
        for (const Cand& c : cands_[t]) {
            int e = c.o->elem;
            if (!count_[e] || (e == PARA && paraVariant_ >= 0 && c.o->variant != paraVariant_)) continue;
            int rest = area_ - kArea[e], leftAfter = left_ - c.inside;
            if (Bound(cost_ + kOut * c.outside, rest, leftAfter) > budget) continue;
            if ((c.cover & taken).any()) continue;
            int savedVariant = paraVariant_;
            if (e == PARA) paraVariant_ = c.o->variant;
            covered_ |= c.cover;
            count_[e]--, area_ -= kArea[e], cost_ += kOut * c.outside, left_ -= c.inside;
            cur_.push_back({e, c.o->rot, c.bx, c.by, c.o->variant});
            if (Dfs(pos + 1, budget)) return true;
            cur_.pop_back();
            count_[e]++, area_ += kArea[e], cost_ -= kOut * c.outside, left_ += c.inside;
            covered_ &= ~c.cover;
            paraVariant_ = savedVariant;
            if (nodes_ > kNodeLimit) return false;
        }
        // Leave this quarter open.
        if (Bound(cost_ + 1, area_, left_ - 1) <= budget) {
            blocked_.set(t);
            cost_++, left_--;
            if (Dfs(pos + 1, budget)) return true;
            cost_--, left_++;
            blocked_.reset(t);
        }
        return false;
    }

    std::map<int, std::vector<Cand>> cands_;
    static constexpr int kSolutions = 400;
    bool symmetric_ = false;
    int found_ = 0;
    double bestScore_ = 0;
    std::vector<Place> best_;
    QSet mask_, covered_, blocked_;
    std::vector<int> order_;
    int count_[5] = {};
    int elemOrder_[5];
    int area_ = 0, cost_ = 0, left_ = 0, paraVariant_ = -1;
    long nodes_ = 0;
    std::vector<Place> cur_;
};

QSet ParseMask(const std::vector<std::string>& rows) {
    QSet m;
    int w = 0;
    for (const std::string& r : rows) w = std::max(w, int(r.size()));
    int ox = (kGrid - w) / 2, oy = (kGrid - int(rows.size())) / 2;
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            int cx = ox + int(x), cy = oy + int(y);
            auto set = [&](int q) { m.set(QIndex(cx, cy, q)); };
            switch (rows[y][x]) {
                case '#':
                    set(0), set(1), set(2), set(3);
                    break;
                case '1':
                    set(2), set(3);
                    break;  // lower left half
                case '3':
                    set(1), set(2);
                    break;  // lower right
                case '7':
                    set(0), set(3);
                    break;  // upper left
                case '9':
                    set(0), set(1);
                    break;  // upper right
                case '.':
                    break;
                default:
                    throw std::invalid_argument(std::string("unknown outline character ") + rows[y][x]);
            }
        }
    return m;
}

struct Box {
    int x0 = kGrid, y0 = kGrid, x1 = -1, y1 = -1;
};

Box CellBox(const QSet& s) {
    Box b;
    for (int i = 0; i < kQuarters; ++i)
        if (s.test(i)) {
            int c = i / 4, x = c % kGrid, y = c / kGrid;
            b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
        }
    return b;
}

// Grows an abstract figure: each piece joins the figure edge to edge at one of the places that
// touch it most; many seeded trials, the best by symmetry and compactness (weighted by style).
std::vector<Place> Grow(const std::vector<int>& pieces, const Options& opt) {
    Rng rng(opt.seed);
    std::vector<Place> best;
    double bestScore = -1e9;
    int paras = int(std::count(pieces.begin(), pieces.end(), int(PARA)));
    // A figure turned off the axes needs more room on the playfield.
    bool square = std::fmod(opt.turn, 90.0) == 0;
    int maxW = square ? 9 : 6, maxH = square ? 8 : 6;
    // Each seed weighs symmetry and filling a little differently, so that seeds give different
    // figures even where one shape would beat all others.
    double wSym = 0.5 + rng.Below(100) / 50.0, wFill = 0.5 + rng.Below(100) / 50.0;
    for (int trial = 0; trial < 24; ++trial) {
        std::vector<int> order = pieces;
        for (int i = int(order.size()) - 1; i > 0; --i) std::swap(order[i], order[rng.Below(i + 1)]);
        int variant = paras ? rng.Below(2) : 0;
        QSet cov;
        std::vector<Place> places;
        bool ok = true;
        for (size_t k = 0; k < order.size() && ok; ++k) {
            int e = order[k];
            std::vector<const Orient*> os;
            for (const Orient& o : Orients())
                if (o.elem == e && (e != PARA || o.variant == variant)) os.push_back(&o);
            if (k == 0) {
                const Orient* o = os[rng.Below(int(os.size()))];
                places.push_back({e, o->rot, kGrid / 2 - o->w / 2, kGrid / 2 - o->h / 2, o->variant});
                cov |= Shifted(*o, places.back().bx, places.back().by);
                continue;
            }
            Box b = CellBox(cov);
            QSet nb = Neighbours(cov);
            struct C {
                const Orient* o;
                int bx, by;
                double score;
            };
            std::vector<C> cands;
            for (const Orient* o : os)
                for (int by = b.y0 - o->h; by <= b.y1 + 1; ++by)
                    for (int bx = b.x0 - o->w; bx <= b.x1 + 1; ++bx) {
                        QSet c = Shifted(*o, bx, by);
                        if (c.none() || (c & cov).any()) continue;
                        int contact = int((c & nb).count());
                        if (!contact) continue;
                        int w = std::max(b.x1, bx + o->w - 1) - std::min(b.x0, bx) + 1;
                        int h = std::max(b.y1, by + o->h - 1) - std::min(b.y0, by) + 1;
                        if (w > maxW || h > maxH) continue;
                        double s = contact - (opt.style == "loose" ? 0.0 : 0.6 * (w * h));
                        if (opt.style == "loose") s = std::min(contact, 3) + 0.5 * (w + h);
                        cands.push_back({o, bx, by, s + 0.001 * rng.Below(1000)});
                    }
            if (cands.empty()) {
                ok = false;
                break;
            }
            std::stable_sort(cands.begin(), cands.end(), [](const C& a, const C& b) { return a.score > b.score; });
            const C& pick = cands[rng.Below(std::min<int>(4, int(cands.size())))];
            places.push_back({e, pick.o->rot, pick.bx, pick.by, pick.o->variant});
            cov |= Shifted(*pick.o, pick.bx, pick.by);
        }
        if (!ok || !EdgeConnected(places)) continue;
        Box b = CellBox(cov);
        int w = b.x1 - b.x0 + 1, h = b.y1 - b.y0 + 1;
        double fill = double(cov.count()) / (4.0 * w * h);
        double sym = MirrorSymmetry(cov);
        double score = opt.style == "compact" ? 2 * wFill * fill + 0.5 * wSym * sym
                       : opt.style == "loose" ? wSym * sym - 2 * wFill * std::abs(fill - 0.4)
                                              : 3 * wSym * sym + wFill * fill;
        if (score > bestScore) bestScore = score, best = places;
    }
    if (best.empty()) throw std::runtime_error("growth found no figure");
    return best;
}

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> w;
    for (std::string t; in >> t;) w.push_back(t);
    return w;
}

std::vector<Place> Resolve(const std::string& name, const std::string& notation, Options& opt) {
    size_t colon = notation.find(':');
    if (colon == std::string::npos) throw std::invalid_argument(name + ": no ':' in figure");
    std::vector<std::string> head = Words(notation.substr(0, colon));
    std::vector<std::string> body = Words(notation.substr(colon + 1));
    if (head.empty()) throw std::invalid_argument(name + ": no figure kind");
    for (size_t i = 1; i < head.size(); ++i) {
        const std::string& o = head[i];
        if (o.rfind("g=", 0) == 0)
            opt.turn = std::stod(o.substr(2));
        else if (o.rfind("s=", 0) == 0)
            opt.seed = std::stoull(o.substr(2));
        else if (o == "m")
            opt.mirror = true;
        else if (o == "v1")
            opt.variant = 1;
        else if (o.rfind("p=", 0) == 0)
            opt.pieces = o.substr(2);
        else if (o == "sym" || o == "compact" || o == "loose")
            opt.style = o;
        else
            throw std::invalid_argument(name + ": unknown option " + o);
    }
    std::vector<Place> places;
    if (head[0] == "place") {
        for (const std::string& t : body) {
            size_t at = t.find('@'), comma = t.find(',');
            if (t.size() < 4 || at == std::string::npos || comma == std::string::npos)
                throw std::invalid_argument(name + ": bad piece " + t);
            places.push_back({ElemOfLetter(t[0]), std::stoi(t.substr(1, at - 1)),
                              std::stoi(t.substr(at + 1, comma - at - 1)), std::stoi(t.substr(comma + 1)),
                              opt.variant});
            // The lattice starts at 0,0; a piece left of or above it would be reported as not
            // joining the others, which sends whoever draws the figure looking in the wrong place.
            if (places.back().bx < 0 || places.back().by < 0)
                throw std::invalid_argument(name + ": piece " + t +
                                            " has a negative corner; shift the whole figure right or down");
        }
        for (size_t i = 0; i < places.size(); ++i)
            for (size_t j = 0; j < i; ++j) {
                const Orient* a = FindOrient(places[i].elem, places[i].rot, places[i].variant);
                const Orient* b = FindOrient(places[j].elem, places[j].rot, places[j].variant);
                if (!a || !b) throw std::invalid_argument(name + ": piece off the lattice");
                if ((Shifted(*a, places[i].bx + 4, places[i].by + 4) & Shifted(*b, places[j].bx + 4, places[j].by + 4))
                        .any())
                    throw std::invalid_argument(name + ": pieces overlap");
            }
        // Pieces that meet at a corner only look joined at a glance, but the silhouette falls
        // apart into islands the player cannot read as one figure.
        if (!EdgeConnected(places)) throw std::invalid_argument(name + ": pieces do not join edge to edge");
    } else if (head[0] == "fit") {
        Fitter f(ParseMask(body), PieceList(opt.pieces), opt.seed);
        if (!f.Solve(places)) throw std::runtime_error(name + ": outline cannot be covered");
        QSet cov, mask = ParseMask(body);
        for (const Place& p : places) cov |= Cover(p);
        lastFitMismatch = int((cov ^ mask).count());
    } else if (head[0] == "grow") {
        if (body.size() != 1) throw std::invalid_argument(name + ": grow takes one word of pieces");
        places = Grow(PieceList(body[0]), opt);
    } else {
        throw std::invalid_argument(name + ": unknown figure kind " + head[0]);
    }
    return places;
}

}  // namespace

int lastFitMismatch = 0;

Vec Rotate(Vec v, double degrees) {
    double a = degrees * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

std::vector<Vec> Outline(int elem, int variant) {
    switch (elem) {
        case LARGE:
            return {{0, -1}, {2, 1}, {-2, 1}};
        case MEDIUM:
            return {{0, -kR2 / 2}, {kR2, kR2 / 2}, {-kR2, kR2 / 2}};
        case SMALL:
            return {{0, -0.5}, {1, 0.5}, {-1, 0.5}};
        case SQUARE:
            return {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        default:
            if (variant) return {{-1.5, -0.5}, {0.5, -0.5}, {1.5, 0.5}, {-0.5, 0.5}};
            return {{-1.5, 0.5}, {0.5, 0.5}, {1.5, -0.5}, {-0.5, -0.5}};
    }
}

std::vector<Vec> PlacedOutline(const Piece& p, int variant, bool picture) {
    std::vector<Vec> poly;
    if (picture) {
        // The pictures' own outlines (fig01 172 x 86 ... fig05 130 x 43) around their centres.
        switch (p.elem) {
            case LARGE:
                poly = {{0, -43}, {86, 43}, {-86, 43}};
                break;
            case MEDIUM:
                poly = {{0, -30}, {59.5, 30}, {-59.5, 30}};
                break;
            case SMALL:
                poly = {{0, -21.5}, {43, 21.5}, {-43, 21.5}};
                break;
            case SQUARE:
                poly = {{0, -43}, {43.5, 0}, {0, 43}, {-43.5, 0}};
                break;
            default:
                poly = variant ? std::vector<Vec>{{-65, -21.5}, {21, -21.5}, {65, 21.5}, {-22, 21.5}}
                               : std::vector<Vec>{{-65, 21.5}, {21, 21.5}, {65, -21.5}, {-22, -21.5}};
        }
    } else {
        poly = Outline(p.elem, variant);
        for (Vec& v : poly) v = {v.x * kStep, v.y * kStep};
    }
    for (Vec& v : poly) {
        Vec r = Rotate(v, p.rot);
        v = {r.x + p.x, r.y + p.y};
    }
    return poly;
}

QSet Cover(const Place& p) {
    const Orient* o = FindOrient(p.elem, p.rot, p.variant);
    return o ? Shifted(*o, p.bx, p.by) : QSet();
}

QSet Neighbours(const QSet& s) {
    QSet n;
    for (int i = 0; i < kQuarters; ++i) {
        if (!s.test(i)) continue;
        int c = i / 4, q = i % 4, x = c % kGrid, y = c / kGrid;
        n.set(c * 4 + (q + 1) % 4);
        n.set(c * 4 + (q + 3) % 4);
        static const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        int nx = x + dx[q], ny = y + dy[q];
        if (nx >= 0 && ny >= 0 && nx < kGrid && ny < kGrid) n.set(QIndex(nx, ny, (q + 2) % 4));
    }
    return n & ~s;
}

bool EdgeConnected(const std::vector<Place>& places) {
    if (places.empty()) return false;
    std::vector<QSet> cov;
    for (const Place& p : places) cov.push_back(Cover(p));
    std::vector<bool> seen(places.size(), false);
    std::vector<size_t> stack{0};
    seen[0] = true;
    size_t reached = 1;
    while (!stack.empty()) {
        size_t i = stack.back();
        stack.pop_back();
        QSet nb = Neighbours(cov[i]);
        for (size_t j = 0; j < places.size(); ++j)
            if (!seen[j] && (nb & cov[j]).any()) seen[j] = true, ++reached, stack.push_back(j);
    }
    return reached == places.size();
}

double MirrorSymmetry(const QSet& s) {
    Box b = CellBox(s);
    int total = 0, match = 0;
    static const int mq[4] = {0, 3, 2, 1};
    for (int i = 0; i < kQuarters; ++i) {
        if (!s.test(i)) continue;
        int c = i / 4, q = i % 4, x = c % kGrid, y = c / kGrid;
        ++total;
        if (s.test(QIndex(b.x0 + b.x1 - x, y, mq[q]))) ++match;
    }
    return total ? double(match) / total : 0;
}

namespace {

// Exact cover of an outline, depth first over its first open quarter in reading order; a piece
// may only go where it lies wholly inside the outline.
class CoverSearch {
public:
    CoverSearch(const QSet& outline, const std::vector<int>& elems, int paraVariant) : mask_(outline) {
        for (int e : elems) count_[e]++;
        for (int t = 0; t < kQuarters; ++t)
            if (mask_.test(t)) order_.push_back(t);
        for (int t : order_) {
            int tcell = t / 4, tq = t % 4, tx = tcell % kGrid, ty = tcell / kGrid;
            for (const Orient& o : Orients()) {
                if (!count_[o.elem] || (o.elem == PARA && o.variant != paraVariant)) continue;
                for (const auto& qd : o.quarters) {
                    if (qd[2] != tq) continue;
                    QSet c = Shifted(o, tx - qd[0], ty - qd[1]);
                    if (c.any() && (c & ~mask_).none()) cands_[t].push_back({o.elem, c});
                }
            }
        }
    }

    long Run() {
        nodes_ = 0;
        return Dfs(0) ? nodes_ : -1;
    }

private:
    struct Cand {
        int elem;
        QSet cover;
    };

    bool Dfs(size_t pos) {
        if (++nodes_ > kSolverNodeLimit) return false;
        while (pos < order_.size() && covered_.test(order_[pos])) ++pos;
        if (pos == order_.size()) return std::all_of(count_, count_ + 5, [](int c) { return c == 0; });
        for (const Cand& c : cands_[order_[pos]]) {
            if (!count_[c.elem] || (c.cover & covered_).any()) continue;
            covered_ |= c.cover;
            count_[c.elem]--;
            if (Dfs(pos + 1)) return true;
            count_[c.elem]++;
            covered_ &= ~c.cover;
            if (nodes_ > kSolverNodeLimit) return false;
        }
        return false;
    }

    QSet mask_, covered_;
    std::vector<int> order_;
    std::map<int, std::vector<Cand>> cands_;
    int count_[5] = {};
    long nodes_ = 0;
};

// The outline turned a quarter clockwise on the working lattice: a cell's top quarter becomes
// its right one.
QSet QuarterTurn(const QSet& s) {
    QSet r;
    for (int i = 0; i < kQuarters; ++i)
        if (s.test(i)) {
            int c = i / 4, q = i % 4, x = c % kGrid, y = c / kGrid;
            r.set(QIndex(kGrid - 1 - y, x, (q + 1) % 4));
        }
    return r;
}

double DifficultyOf(const std::vector<Place>& places) {
    QSet outline;
    std::vector<int> elems;
    int paraVariant = 0;
    for (const Place& p : places) {
        outline |= Cover(p);
        elems.push_back(p.elem);
        if (p.elem == PARA) paraVariant = p.variant;
    }
    double sum = 0;
    for (int turn = 0; turn < 4; ++turn, outline = QuarterTurn(outline)) {
        long n = SolverNodes(outline, elems, paraVariant);
        sum += n < 0 ? kSolverNodeLimit : n;
    }
    return sum / 4;
}

}  // namespace

long SolverNodes(const QSet& outline, const std::vector<int>& elems, int paraVariant) {
    return CoverSearch(outline, elems, paraVariant).Run();
}

double Difficulty(const std::string& notation) {
    Options opt;
    return DifficultyOf(Resolve("figure", notation, opt));
}

Figure BuildFigure(const std::string& name, const std::string& notation) {
    Options opt;
    std::vector<Place> places = Resolve(name, notation, opt);
    Figure f = Assemble(name, places, opt);
    f.difficulty = DifficultyOf(places);
    return f;
}

std::string PlacementText(const std::string& notation) {
    Options opt;
    std::vector<Place> places = Resolve("figure", notation, opt);
    int x0 = kGrid, y0 = kGrid;
    for (const Place& p : places) x0 = std::min(x0, p.bx), y0 = std::min(y0, p.by);
    std::ostringstream out;
    bool v1 = false;
    for (const Place& p : places) v1 |= p.elem == PARA && p.variant;
    out << "place";
    if (opt.turn != 0) out << " g=" << opt.turn;
    if (opt.mirror) out << " m";
    if (v1) out << " v1";
    out << ":";
    for (const Place& p : places) out << ' ' << kLetters[p.elem] << p.rot << '@' << p.bx - x0 << ',' << p.by - y0;
    return out.str();
}

}  // namespace levelgen
