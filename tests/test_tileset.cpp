#include <gtest/gtest.h>

#include "platform/graphics.hpp"
#include "puzzle/tileset.hpp"

namespace {

// Through LockImage: a picture that was drawn keeps its pixels only in its texture.
bool SamePixels(const ImageRef& a, const ImageRef& b) { return a && b && LockImage(a)->pixels == LockImage(b)->pixels; }

// Opaque where the mirror image of the other picture is opaque.
int MirrorMismatches(const ImageRef& a, const ImageRef& b) {
    const TPixmap& pa = *LockImage(a);
    const TPixmap& pb = *LockImage(b);
    int bad = 0;
    for (int y = 0; y < pa.height; ++y)
        for (int x = 0; x < pa.width; ++x)
            bad += ((pa.ReadPixel(x, y) >> 24) > 128) != ((pb.ReadPixel(pa.width - 1 - x, y) >> 24) > 128);
    return bad;
}

TEST(Tileset, VariantsShareAllButTheParallelogramAndGoldKeepsItsOwnCopies) {
    LoadPuzzleset(0, false);
    TileImageTable set0 = TileImages, gold0 = TileGoldImages;
    EXPECT_FALSE(TileShadowImages[0][0]) << "shadows only on request";
    LoadPuzzleset(1, true);

    const int sizes[5][2] = {{172, 86}, {119, 60}, {86, 43}, {87, 86}, {130, 43}};
    for (int v = 0; v < 2; ++v)
        for (int e = 0; e < 5; ++e) {
            const ImageRef& img = TileImages[size_t(v)][size_t(e)];
            ASSERT_TRUE(img) << v << "," << e;
            EXPECT_EQ(img->width, sizes[e][0]);
            EXPECT_EQ(img->height, sizes[e][1]);
            EXPECT_FLOAT_EQ(img->handle_x, float(sizes[e][0]) / 2) << "tiles turn about their centre";
            EXPECT_NE(img, set0[size_t(v)][size_t(e)]) << "every entry is replaced";
            EXPECT_TRUE(TileGoldImages[size_t(v)][size_t(e)]);
            EXPECT_TRUE(SamePixels(TileGoldImages[size_t(v)][size_t(e)], gold0[size_t(v)][size_t(e)]))
                << "the gold set does not depend on the tile set";
            EXPECT_TRUE(TileShadowImages[size_t(v)][size_t(e)]);
        }
    for (int e = 0; e < 4; ++e) {
        EXPECT_EQ(TileImages[1][size_t(e)], TileImages[0][size_t(e)]);
        EXPECT_EQ(TileShadowImages[1][size_t(e)], TileShadowImages[0][size_t(e)]);
        EXPECT_NE(TileGoldImages[1][size_t(e)], TileGoldImages[0][size_t(e)]);
    }
    EXPECT_NE(TileImages[1][4], TileImages[0][4]);
    EXPECT_LT(MirrorMismatches(TileImages[1][4], TileImages[0][4]), 130) << "variant 1 is the mirrored parallelogram";
    EXPECT_FALSE(SamePixels(TileImages[0][0], set0[0][0])) << "set 1 looks different from set 0";
    EXPECT_TRUE(AutoMidHandleEnabled());
}

}  // namespace
