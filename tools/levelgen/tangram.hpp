// Tangram geometry for the level generator: the five piece outlines, a lattice on which pieces
// meet edge to edge, the text notation of a figure, a search that covers a drawn outline with
// pieces, and a growth search for abstract figures. Nothing here draws or writes files.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace levelgen {

enum Elem { LARGE = 0, MEDIUM = 1, SMALL = 2, SQUARE = 3, PARA = 4 };

// Lattice step in pixels: half the small triangle's long side. Every piece in lattice
// orientation has its corners on this lattice, so cells split by both diagonals into four
// quarter triangles describe any figure exactly.
inline constexpr double kStep = 43.0;

// Centre of the playfield area that the solution check grabs (x 4..452, y 66..459).
inline constexpr double kCentreX = 228.0;
inline constexpr double kCentreY = 262.0;

struct Vec {
    double x, y;
};

// A piece as a level stores it: element, centre in pixels, rotation in degrees (clockwise).
struct Piece {
    int elem;
    double x, y;
    double rot;
};

struct Figure {
    std::string name;
    std::vector<Piece> pieces;
    int variant = 0;        // 1: the level uses the mirrored parallelogram
    double difficulty = 0;  // see Difficulty below
};

// Outline around the picture centre in lattice steps at rotation 0; variant matters only for
// the parallelogram.
std::vector<Vec> Outline(int elem, int variant);
// Outline of a placed piece in pixels. `picture` uses the pictures' real sizes (the medium
// triangle's picture is a little smaller than the ideal piece), otherwise the ideal piece.
std::vector<Vec> PlacedOutline(const Piece& p, int variant, bool picture);
Vec Rotate(Vec v, double degrees);

// Lattice placement of the notation: element, rotation and the top-left corner of the piece's
// bounding box in lattice steps.
struct Place {
    int elem;
    int rot;
    int bx, by;
    int variant;
};

inline constexpr int kGrid = 16;  // cells per side of the working lattice
inline constexpr int kQuarters = kGrid * kGrid * 4;
using QSet = std::bitset<kQuarters>;

inline int QIndex(int cx, int cy, int q) { return (cy * kGrid + cx) * 4 + q; }

QSet Cover(const Place& p);      // quarters covered by a placement (empty when off the grid)
QSet Neighbours(const QSet& s);  // quarters sharing an edge with the set, outside it
bool EdgeConnected(const std::vector<Place>& places);
double MirrorSymmetry(const QSet& s);  // share of quarters matched by the left-right mirror image

// Deterministic random numbers (the same on every platform and library).
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next() {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return int(Next() % uint64_t(n)); }

private:
    uint64_t s_;
};

// Figure notation, one string per figure; options come first, then a colon and the body:
//   "place: L0@0,2 L90@0,0 M135@2,2 ..."   pieces by hand: element letter (L large, M medium,
//        S small triangle, Q square, P parallelogram), rotation, '@', bounding-box corner.
//   "fit: .9#9. ##### ..."                 an outline drawn on the lattice, one word per row:
//        '#' full cell, '.' empty, 1 3 7 9 a half cell whose corner sits where that digit is on
//        a keypad (1 = lower left); the standard seven pieces are searched to cover it.
//   "grow: LLMSSQP"                        an abstract figure grown piece by piece.
// Options: g=<degrees> turns the whole figure, m mirrors it, s=<n> seeds the searches,
// p=<letters> the pieces that cover an outline (the standard seven unless given),
// sym / compact / loose weight the growth search.
Figure BuildFigure(const std::string& name, const std::string& notation);

// Quarters by which the last "fit" figure differs from its outline (0: covered exactly).
extern int lastFitMismatch;

// How hard a figure is to solve when only its outline is known: the nodes an exact-cover search
// visits before its first solution, averaged over the four quarter turns of the outline (so that
// the search's scan order favours no figure). The search knows the outline's lattice quarters and
// the figure's pieces, nothing of where they lie; turning the figure off the axes does not change
// it. Each turn stops counting at kSolverNodeLimit.
inline constexpr long kSolverNodeLimit = 400000;
double Difficulty(const std::string& notation);
// Nodes to the first exact cover of `outline` by the pieces (element numbers), the parallelogram
// in the given mirror image; -1 when the search ends or stops without one.
long SolverNodes(const QSet& outline, const std::vector<int>& elems, int paraVariant);

// The placements a figure resolves to, in the "place:" notation (for the docs and for debugging).
std::string PlacementText(const std::string& notation);

}  // namespace levelgen
