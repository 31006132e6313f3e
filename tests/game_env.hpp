// A puzzle game in the test process: one player without map, wisdoms or tutorial, a small level
// set on disk, and helpers that play frames through the game's own input path.
#pragma once

#include <gtest/gtest.h>

#include "game/game.hpp"
#include "platform/timing.hpp"
#include "puzzle/levelset.hpp"
#include "puzzle/tileset.hpp"
#include "scratch_dir.hpp"
#include "tiles_env.hpp"
#include "ui/requester.hpp"

namespace gameenv {

inline ShapeRef Piece(int element, float x, float y, float rotation) {
    auto s = std::make_shared<Shape>();
    s->Element = element;
    s->X = x;
    s->Y = y;
    s->Rotation = rotation;
    s->R = 200;
    s->G = 180;
    s->B = 160;
    return s;
}

class GameTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (!TileImages[0][0]) LoadPuzzleset(0, false);
        dir = std::make_unique<ScratchDir>();
        Users.RemoveAllUsers();
        Users.FilePath = dir->File("users.cfg");
        Users.AddNewUser("Tester");
        CurrentUserIndex = 0;
        player = Users.GetCurrentUser();
        player->ProgressMap = false;
        player->Wisdoms = false;
        player->Tutorial = false;
        for (auto& l : LevelShapes) l.clear();
        for (auto& p : LevelProps) p = TLevelProperties();
        LevelShapes[0] = {Piece(3, 200, 250, 0), Piece(2, 300, 150, 45), Piece(2, 300, 350, 90)};
        LevelProps[0].GameTime = 60;
        LevelShapes[12] = {Piece(0, 250, 250, 0)};
        setFile = dir->File("set.lvl");
        ASSERT_TRUE(WriteLevelSet(setFile));
        CurrLevelSetFile = setFile;
    }
    void TearDown() override {
        // Leave no drawing queued: the renderer's queue is gone before the fonts' textures
        // when the program exits.
        GrabPixmap(0, 0, 1, 1);
        SetClsColor(0, 0, 0);
        Shape::ClearAllElements();
        Users.RemoveAllUsers();
        UiTest::TearDown();
    }
    // Rewrites level 0's mode bits and time in the file the game reads.
    void SetLevel0(int32_t misc, int32_t time) {
        LevelProps[0].MiscProperties = misc;
        LevelProps[0].GameTime = time;
        ASSERT_TRUE(WriteLevelSet(setFile));
    }
    // The level in play, its silhouette measured in a first frame.
    void StartPlay(TGame& g) {
        SetClsColor(90, 120, 150);  // the playfield behind the pieces is never pure black
        g.InitLevel(true);
        g.Fade = 1.05f;
        g.GameState = PLAY_GAME;
        g.StartTime = Millisecs();
        ASSERT_TRUE(g.Frame());
    }
    std::vector<ShapeRef> Pieces(bool tiles) const {
        std::vector<ShapeRef> out;
        for (const ShapeRef& s : ElementList)
            if (s->Pickable == tiles && !s->DontFadeAway) out.push_back(s);
        return out;
    }
    // A tile laid exactly on its silhouette piece, as if dropped there earlier.
    static void Lay(const ShapeRef& tile, const ShapeRef& piece) {
        tile->X = piece->X;
        tile->Y = piece->Y;
        tile->Rotation = piece->Rotation;
        tile->zoomer = 1;
    }
    // One click: the button goes down and up within the frame.
    void ClickFrame(TGame& g, int x, int y) {
        InputMouseMove(x, y);
        InputMouseButton(MOUSE_LEFT, true);
        InputMouseButton(MOUSE_LEFT, false);
        ASSERT_TRUE(g.Frame());
    }
    // Picks the tile up where it lies and drops it with its centre at (x, y).
    void PickAndDrop(TGame& g, const ShapeRef& tile, int x, int y) {
        ClickFrame(g, int(tile->X), int(tile->Y));
        ASSERT_EQ(PickedShape, tile);
        InputMouseMove(x, y);
        ASSERT_TRUE(g.Frame());
        ClickFrame(g, x, y);
        ASSERT_EQ(PickedShape, nullptr);
    }
    bool HasCaption(TGame& g, const std::string& text) {
        for (auto& t : g.TextList)
            if (t->Caption == text) return true;
        return false;
    }

    std::unique_ptr<ScratchDir> dir;
    std::string setFile;
    UserRef player;
};

}  // namespace gameenv

using gameenv::GameTest;
using gameenv::Piece;
