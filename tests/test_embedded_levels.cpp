// The five embedded level sets: they load, their pieces lie on the playfield without
// overlapping and form one figure, their modes and bonus boards make sense, every level is
// solved when each tile lies on its own silhouette piece, and the generator still produces
// exactly the committed files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "gl_env.hpp"
#include "platform/stream.hpp"
#include "puzzle/levelset.hpp"

// The generator is compiled in so that the test can rebuild the sets.
#include "tools/levelgen/figures.cpp"
#include "tools/levelgen/levels.cpp"
#include "tools/levelgen/silhouette.hpp"
#include "tools/levelgen/tangram.cpp"

namespace {

const char* const kSetNames[] = {"Jewels of Dharma", "Numbers of Lhasa", "Peace in Sakya", "Way of Arhat",
                                 "Zhenyan Abstraktum"};

std::string SetPath(int i) { return std::string("incbin::../data/") + kSetNames[i] + ".lvl"; }

using levelgen::Vec;

std::vector<Vec> OutlineOf(const Shape& s, int variant) {
    return levelgen::PlacedOutline({s.Element, s.X, s.Y, s.Rotation}, variant, true);
}

// Distance from p to the inside of a convex outline: positive inside, by the nearest edge.
double Depth(const std::vector<Vec>& poly, Vec p) {
    double sign = 0, depth = 1e9;
    for (size_t i = 0; i < poly.size(); ++i) {
        Vec a = poly[i], b = poly[(i + 1) % poly.size()];
        double ex = b.x - a.x, ey = b.y - a.y, len = std::hypot(ex, ey);
        double cross = (ex * (p.y - a.y) - ey * (p.x - a.x)) / len;
        if (sign == 0) {
            // Orientation of the outline from its first corner opposite this edge.
            Vec c = poly[(i + 2) % poly.size()];
            sign = (ex * (c.y - a.y) - ey * (c.x - a.x)) > 0 ? 1 : -1;
        }
        depth = std::min(depth, cross * sign);
    }
    return depth;
}

// Pixels (sampled at their centres) lying at least `margin` inside both outlines; a negative
// margin grows the outlines.
int SharedPixels(const std::vector<Vec>& a, const std::vector<Vec>& b, double margin) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Vec& v : a)
        x0 = std::min(x0, v.x), y0 = std::min(y0, v.y), x1 = std::max(x1, v.x), y1 = std::max(y1, v.y);
    int n = 0;
    for (int y = int(y0) - 3; y <= int(y1) + 3; ++y)
        for (int x = int(x0) - 3; x <= int(x1) + 3; ++x) {
            Vec p{x + 0.5, y + 0.5};
            if (Depth(a, p) >= margin && Depth(b, p) >= margin) ++n;
        }
    return n;
}

class EmbeddedLevels : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(ReadLevelSet(SetPath(GetParam()))) << SetPath(GetParam()); }
};

TEST_P(EmbeddedLevels, RecordsAreInRangeAndTheFileIsReadToItsEnd) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes(SetPath(GetParam()), bytes));
    size_t shapes = 0, boards = 0;
    for (int l = 0; l < LEVEL_COUNT; ++l) {
        SCOPED_TRACE("level " + std::to_string(l + 1));
        const ShapeList& list = LevelShapes[l];
        ASSERT_GE(list.size(), 1u);
        ASSERT_LE(list.size(), 13u);
        shapes += list.size();
        boards += LevelProps[l].HasBonusData();
        for (const ShapeRef& s : list) {
            EXPECT_GE(s->Element, 0);
            EXPECT_LE(s->Element, 4);
            EXPECT_GE(s->X, 81);
            EXPECT_LE(s->X, 455);
            EXPECT_GE(s->Y, 83);
            EXPECT_LE(s->Y, 438);
            EXPECT_GE(s->Rotation, 0);
            EXPECT_LT(s->Rotation, 360);
            EXPECT_EQ(std::fmod(s->Rotation, 22.5f), 0.0f) << s->Rotation;
            EXPECT_FALSE(s->PickedUp);
            EXPECT_TRUE(s->Pickable);
            EXPECT_EQ(s->RotateIt, 0);
            // The tile colour must never reach pure black, which the solution check counts.
            EXPECT_EQ(s->R, 255);
            EXPECT_EQ(s->G, 255);
            EXPECT_EQ(s->B, 255);
        }
    }
    EXPECT_EQ(bytes.size(), size_t(kEmptyLevelSetSize) + shapes * kShapeChunkSize + boards * (kBonusChunkSize));
}

TEST_P(EmbeddedLevels, TimesModesAndBonusBoardsArePlayable) {
    int bonusLevels = 0;
    for (int l = 0; l < LEVEL_COUNT; ++l) {
        SCOPED_TRACE("level " + std::to_string(l + 1));
        const TLevelProperties& p = LevelProps[l];
        EXPECT_TRUE(p.GameTime == 0 || (p.GameTime >= 30 && p.GameTime <= 200)) << p.GameTime;
        EXPECT_TRUE(p.PuzzleSet == 0 || p.PuzzleSet == 1);
        EXPECT_EQ(p.MiscProperties & ~511, 0);
        EXPECT_NE(p.MiscProperties & 3, 3) << "Enlightenment and Meditation exclude each other";
        bool bonus = p.MiscProperties & MISC_PLAY_FOR_TILES;
        EXPECT_EQ(bonus, p.HasBonusData());
        if (l < 5) {
            EXPECT_EQ(p.MiscProperties, 0) << "a set starts with plain levels";
        }
        if (!bonus) continue;
        ++bonusLevels;
        int tiles = 0, markers = 0;
        for (int x = 0; x < BONUS_COLUMNS; ++x)
            for (int y = 0; y < BONUS_ROWS; ++y) {
                int v = p.BonusLevelData[x][y];
                EXPECT_TRUE(v == -1 || (v >= 0 && v <= 5) || v == 9) << v;
                tiles += v >= 0 && v <= 5;
                // A Yin-Yang marker must sit on a symbol that a line can clear.
                int m = p.PuzzleTileData[x][y];
                EXPECT_TRUE(m == -1 || (m == 0 && v >= 0 && v <= 5)) << x << "," << y << " marker " << m;
                markers += m == 0;
                // Tiles hang from the top: nothing may start in the launch row or float below a gap.
                if (y > 0 && v >= 0) {
                    EXPECT_GE(p.BonusLevelData[x][y - 1], 0) << x << "," << y;
                }
                EXPECT_LT(y == BONUS_ROWS - 1 ? v : -1, 0);
                // No line of three may stand before the first shot.
                auto same = [&](int dx, int dy) {
                    int x2 = x + 2 * dx, y2 = y + 2 * dy;
                    if (x2 < 0 || x2 >= BONUS_COLUMNS || y2 >= BONUS_ROWS || v < 0 || v > 5) return false;
                    return p.BonusLevelData[x + dx][y + dy] == v && p.BonusLevelData[x2][y2] == v;
                };
                EXPECT_FALSE(same(1, 0) || same(0, 1) || same(1, 1) || same(-1, 1)) << x << "," << y;
            }
        // Every held-back tile hides under one marker.
        EXPECT_EQ(markers, int(LevelShapes[l].size()));
        EXPECT_GE(tiles, markers);
        EXPECT_GE(p.BonusLevelDifficulty, 0);
        EXPECT_LE(p.BonusLevelDifficulty, 3);
        EXPECT_GE(p.BonusTime, 0);
        EXPECT_LE(p.BonusTime, 4);
    }
    EXPECT_GE(bonusLevels, 1);
}

TEST_P(EmbeddedLevels, PiecesDoNotOverlapAndFormOneFigureOnThePlayfield) {
    for (int l = 0; l < LEVEL_COUNT; ++l) {
        SCOPED_TRACE("level " + std::to_string(l + 1));
        std::vector<std::vector<Vec>> polys;
        for (const ShapeRef& s : LevelShapes[l]) polys.push_back(OutlineOf(*s, LevelProps[l].PuzzleSet));
        for (const auto& poly : polys)
            for (const Vec& v : poly) {
                EXPECT_GE(v.x, 4);
                EXPECT_LE(v.x, 453);
                EXPECT_GE(v.y, 66);
                EXPECT_LE(v.y, 460);
            }
        // Whole-pixel centres may shift a piece by half a pixel against its neighbour.
        size_t n = polys.size();
        std::vector<int> group(n);
        for (size_t i = 0; i < n; ++i) group[i] = int(i);
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j) {
                EXPECT_EQ(SharedPixels(polys[i], polys[j], 1.0), 0) << "pieces " << i << " and " << j;
                // Grown by two pixels, pieces sharing an edge overlap along it; a shared corner
                // alone gives a few pixels only.
                if (SharedPixels(polys[i], polys[j], -2.0) > 60) {
                    int a = group[i], b = group[j];
                    for (int& g : group)
                        if (g == b) g = a;
                }
            }
        for (size_t i = 1; i < n; ++i) EXPECT_EQ(group[i], group[0]) << "piece " << i << " stands apart";
    }
}

TEST_P(EmbeddedLevels, NoTwoLevelsShareASilhouette) {
    std::vector<std::vector<std::array<float, 4>>> seen;
    for (int l = 0; l < LEVEL_COUNT; ++l) {
        std::vector<std::array<float, 4>> pieces;
        for (const ShapeRef& s : LevelShapes[l]) {
            // Turning the square by 90 degrees or the parallelogram by 180 leaves it the same.
            float r = s->Element == 3   ? std::fmod(s->Rotation, 90.0f)
                      : s->Element == 4 ? std::fmod(s->Rotation, 180.0f)
                                        : s->Rotation;
            pieces.push_back({float(s->Element), s->X, s->Y, r});
        }
        std::sort(pieces.begin(), pieces.end());
        for (size_t k = 0; k < seen.size(); ++k) EXPECT_NE(seen[k], pieces) << "levels " << k + 1 << " and " << l + 1;
        seen.push_back(pieces);
    }
}

// The four figurative sets are classic tangrams: every figure is the seven pieces of one set,
// no more and no fewer. Hand placements are free to name any pieces, so a figure drawn with a
// third large triangle would otherwise slip through; only the abstract set takes extra pieces.
TEST_P(EmbeddedLevels, FigurativeSetsUseTheSevenTangramPiecesOnly) {
    if (GetParam() == 4) GTEST_SKIP() << "the abstract set may take extra pieces";
    for (int l = 0; l < LEVEL_COUNT; ++l) {
        std::array<int, 5> count{};  // large, medium, small triangle, square, parallelogram
        for (const ShapeRef& s : LevelShapes[l]) {
            ASSERT_GE(s->Element, 0);
            ASSERT_LT(s->Element, 5);
            ++count[size_t(s->Element)];
        }
        EXPECT_EQ(count, (std::array<int, 5>{2, 1, 2, 1, 1})) << "level " << l + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, EmbeddedLevels, ::testing::Range(0, 5));

// The silhouettes as the player sees them: no level of the five sets may repeat another, not
// even shifted, turned by quarter turns or mirrored, and not in another set.
TEST(EmbeddedLevelsAcrossSets, NoTwoOfTheTwoHundredFiftySilhouettesAreTheSame) {
    struct Level {
        std::string name;
        levelgen::Silhouette sil;
    };
    std::vector<Level> levels;
    for (int set = 0; set < 5; ++set) {
        ASSERT_TRUE(ReadLevelSet(SetPath(set)));
        for (int l = 0; l < LEVEL_COUNT; ++l) {
            std::vector<std::vector<Vec>> polys;
            for (const ShapeRef& s : LevelShapes[l])
                polys.push_back(
                    levelgen::PlacedOutline({s->Element, s->X, s->Y, s->Rotation}, LevelProps[l].PuzzleSet, false));
            levels.push_back({std::string(kSetNames[set]) + " " + std::to_string(l + 1), levelgen::Rasterise(polys)});
        }
    }
    for (size_t i = 0; i < levels.size(); ++i)
        for (size_t j = i + 1; j < levels.size(); ++j)
            EXPECT_GE(levelgen::SilhouetteDifference(levels[i].sil, levels[j].sil), levelgen::kSameSilhouette)
                << levels[i].name << " and " << levels[j].name;
}

// The comparison itself: a figure is found again shifted, turned a quarter and mirrored, with
// other pieces under the same outline, while moving one small triangle makes another figure.
TEST(EmbeddedLevelsAcrossSets, SilhouettesMatchUpToShiftTurnAndMirrorOnly) {
    using levelgen::BuildFigure;
    auto sil = [](const levelgen::Figure& f) {
        return levelgen::Rasterise(levelgen::PieceOutlines(f.pieces, f.variant));
    };
    const char* swan = "fit: 3#.... .##... .##... .##.3# .##### ..####";
    levelgen::Silhouette a = sil(BuildFigure("a", swan));
    EXPECT_LT(
        levelgen::SilhouetteDifference(a, sil(BuildFigure("b", "fit m: 3#.... .##... .##... .##.3# .##### ..####"))),
        levelgen::kSameSilhouette);
    EXPECT_LT(
        levelgen::SilhouetteDifference(a, sil(BuildFigure("c", "fit g=90: 3#.... .##... .##... .##.3# .##### ..####"))),
        levelgen::kSameSilhouette);
    EXPECT_LT(levelgen::SilhouetteDifference(
                  a, sil(BuildFigure("d", "fit m g=270: 3#.... .##... .##... .##.3# .##### ..####"))),
              levelgen::kSameSilhouette);
    // The 4 x 4 square tiled by two different searches is still one silhouette.
    EXPECT_LT(levelgen::SilhouetteDifference(sil(BuildFigure("e", "fit: #### #### #### ####")),
                                             sil(BuildFigure("f", "fit s=9: #### #### #### ####"))),
              levelgen::kSameSilhouette);
    // Turned by an eighth, the square is a diamond: no quarter turn makes it the square again.
    EXPECT_GT(levelgen::SilhouetteDifference(sil(BuildFigure("g", "fit: #### #### #### ####")),
                                             sil(BuildFigure("h", "fit g=45: #### #### #### ####"))),
              levelgen::kSameSilhouette);
    // The same bounding box, the small triangle hanging under one end of the large one's foot
    // or under its middle: no turn or mirror image makes one the other.
    EXPECT_GT(levelgen::SilhouetteDifference(sil(BuildFigure("i", "place: L0@0,0 S180@0,2")),
                                             sil(BuildFigure("j", "place: L0@0,0 S180@1,2"))),
              levelgen::kSameSilhouette);
}

// The difficulty measure: a search that knows only the outline always finds a cover (so the
// outline and the pieces agree), and within each set it rises from the first level to the last.
TEST(EmbeddedLevelsAcrossSets, DifficultyRisesThroughEverySet) {
    for (int set = 0; set < levelgen::kSetCount; ++set) {
        SCOPED_TRACE(kSetNames[set]);
        std::vector<levelgen::Figure> figs = levelgen::SetFigures(set);
        ASSERT_EQ(figs.size(), size_t(levelgen::kLevelsPerSet));
        for (size_t l = 0; l < figs.size(); ++l) {
            SCOPED_TRACE("level " + std::to_string(l + 1) + " " + figs[l].name);
            EXPECT_GT(figs[l].difficulty, 0);
            EXPECT_LT(figs[l].difficulty, double(levelgen::kSolverNodeLimit)) << "the search gave up";
            if (l > 0) {
                EXPECT_GE(figs[l].difficulty, figs[l - 1].difficulty);
            }
        }
        // The last ten levels are clearly harder than the first ten.
        double first = 0, last = 0;
        for (int l = 0; l < 10; ++l) first += figs[size_t(l)].difficulty, last += figs[size_t(40 + l)].difficulty;
        EXPECT_GT(last, 2 * first);
    }
}

// The cover search behind the measure: it finds the square of seven pieces, refuses an outline
// the pieces cannot fill, and a figure that needs the other parallelogram.
TEST(EmbeddedLevelsAcrossSets, CoverSearchKnowsOnlyTheOutline) {
    levelgen::QSet square;
    for (int y = 4; y < 8; ++y)
        for (int x = 4; x < 8; ++x)
            for (int q = 0; q < 4; ++q) square.set(levelgen::QIndex(x, y, q));
    const std::vector<int> seven = {0, 0, 1, 2, 2, 3, 4};
    EXPECT_GT(levelgen::SolverNodes(square, seven, 0), 0);
    EXPECT_GT(levelgen::SolverNodes(square, seven, 1), 0);
    // One quarter too many: nothing covers it exactly.
    levelgen::QSet more = square;
    more.set(levelgen::QIndex(8, 4, 3));
    EXPECT_EQ(levelgen::SolverNodes(more, seven, 0), -1);
    // A lying parallelogram of one mirror image is no cover for the other.
    levelgen::QSet para;
    para.set(levelgen::QIndex(4, 4, 1)), para.set(levelgen::QIndex(4, 4, 2));
    for (int q = 0; q < 4; ++q) para.set(levelgen::QIndex(5, 4, q));
    para.set(levelgen::QIndex(6, 4, 0)), para.set(levelgen::QIndex(6, 4, 3));
    EXPECT_GT(levelgen::SolverNodes(para, {4}, 0), 0);
    EXPECT_EQ(levelgen::SolverNodes(para, {4}, 1), -1);
}

// Draws every level as the game does: silhouette pieces in black over a coloured background,
// then the player's tiles in their colour on the same places.
class EmbeddedLevelsDrawn : public GfxTest {};

TEST_F(EmbeddedLevelsDrawn, EveryLevelIsSolvedWithEachTileOnItsOwnPiece) {
    for (int tileSet = 0; tileSet < 2; ++tileSet) {
        AutoMidHandle(true);
        ImageRef pics[2][5];
        for (int e = 0; e < 5; ++e) {
            std::string base = "incbin::../gfx/set_" + std::to_string(tileSet) + "/puzzleset";
            char file[16];
            std::snprintf(file, sizeof file, "/fig%02d.png", e + 1);
            pics[0][e] = LoadImage(base + "1" + file);
            pics[1][e] = e == 4 ? LoadImage(base + "2" + file) : pics[0][e];
            ASSERT_NE(pics[0][e], nullptr);
            ASSERT_NE(pics[1][e], nullptr);
        }
        for (int set = 0; set < 5; ++set) {
            ASSERT_TRUE(ReadLevelSet(SetPath(set)));
            for (int l = 0; l < LEVEL_COUNT; ++l) {
                SCOPED_TRACE(std::string(kSetNames[set]) + " level " + std::to_string(l + 1));
                const TLevelProperties& p = LevelProps[l];
                auto draw = [&](bool tiles) {
                    for (const ShapeRef& s : LevelShapes[l]) {
                        tiles ? SetColor(s->R, s->G, s->B) : SetColor(0, 0, 0);
                        SetRotation(s->Rotation);
                        DrawImage(pics[p.PuzzleSet][s->Element], s->X, s->Y);
                    }
                    SetRotation(0);
                    SetColor(255, 255, 255);
                };
                auto black = [] {
                    PixmapRef g = GrabPixmap(4, 66, 449, 394);
                    int n = 0;
                    for (int y = 0; y < g->height; ++y)
                        for (int x = 0; x < g->width; ++x) n += (g->ReadPixel(x, y) & 0xffffff) == 0;
                    return n;
                };
                SetClsColor(120, 90, 60);
                Cls();
                draw(false);
                // The silhouette is all there: 1849 pixels per lattice cell of piece area.
                double area = 0;
                for (const ShapeRef& s : LevelShapes[l])
                    area += (s->Element == 0 ? 4 : s->Element == 2 ? 1 : 2) * 1849.0;
                EXPECT_GT(black(), int(area * 0.85));
                draw(true);
                EXPECT_LT(black(), 340);
            }
        }
    }
    SetClsColor(0, 0, 0);
}

TEST(EmbeddedLevelsGenerator, RebuildsTheCommittedFilesByteForByte) {
    for (int set = 0; set < levelgen::kSetCount; ++set) {
        SCOPED_TRACE(kSetNames[set]);
        EXPECT_STREQ(levelgen::Set(set).title, kSetNames[set]);
        std::vector<uint8_t> committed;
        ASSERT_TRUE(LoadBytes(SetPath(set), committed));
        std::vector<uint8_t> built = levelgen::BuildLevelSet(set);
        // The committed file came from another run of the generator, so equality also shows
        // that the searches are deterministic.
        EXPECT_TRUE(built == committed) << "run velmora-levelgen and commit its output";
    }
}

// The notation: hand placements that overlap, leave the lattice or meet at corners only are
// refused, mirroring turns the parallelogram into its mirror image, and outline search covers an
// outline exactly when it can.
TEST(EmbeddedLevelsGenerator, NotationChecksItsFigures) {
    using levelgen::BuildFigure;
    EXPECT_THROW(BuildFigure("overlap", "place: S0@0,0 S0@1,0"), std::invalid_argument);
    EXPECT_THROW(BuildFigure("off lattice", "place: M0@0,0"), std::invalid_argument);
    EXPECT_THROW(BuildFigure("letter", "place: X0@0,0"), std::invalid_argument);
    // Two small triangles touching at one corner are two islands, not one figure; side by side
    // along a short edge they are one.
    EXPECT_THROW(BuildFigure("corner", "place: S0@0,0 S180@2,1"), std::invalid_argument);
    EXPECT_NO_THROW(BuildFigure("edge", "place: S0@0,0 S180@1,0"));
    // A piece above or left of the lattice's corner is named as such, not as a loose piece.
    try {
        BuildFigure("negative", "place: S0@0,0 S180@-1,0");
        ADD_FAILURE() << "a negative corner was accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("negative corner"), std::string::npos) << e.what();
    }
    levelgen::Figure plain = BuildFigure("p", "place: P0@0,1 S0@1,0");
    levelgen::Figure mirrored = BuildFigure("p", "place m: P0@0,1 S0@1,0");
    EXPECT_EQ(plain.variant, 0);
    EXPECT_EQ(mirrored.variant, 1);
    // The classic square of seven pieces, as an outline of 4 x 4 cells, is covered exactly.
    levelgen::Figure square = BuildFigure("square", "fit: #### #### #### ####");
    ASSERT_EQ(square.pieces.size(), 7u);
    double x0 = 1e9, x1 = -1e9;
    for (const auto& p : square.pieces)
        for (Vec v : levelgen::PlacedOutline(p, square.variant, false)) x0 = std::min(x0, v.x), x1 = std::max(x1, v.x);
    EXPECT_NEAR(x1 - x0, 4 * levelgen::kStep, 1.0);
    EXPECT_NEAR((x0 + x1) / 2, levelgen::kCentreX, 1.0);
}

}  // namespace
