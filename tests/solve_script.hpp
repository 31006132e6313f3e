// Writes the input script (docs/scripting.md) that solves one level of a level set the way a
// player does: click a tile in the tray, carry it, turn it with the wheel, click it down on its
// place. The caller says at which frame the level is surely in play.
#pragma once

#include <cmath>
#include <sstream>
#include <string>

#include "puzzle/levelset.hpp"
#include "puzzle/shape.hpp"

struct SolveScript {
    std::string text;
    int64_t endFrame = 0;  // the frame of the last drop
};

// Uses the level as loaded in LevelShapes (ReadLevelSet first). Rotations are turned to the
// nearest 22.5-degree step, the way the wheel can reach them.
inline SolveScript MakeSolveScript(int level, int64_t startFrame) {
    SolveScript out;
    std::ostringstream s;
    const ShapeList& shapes = LevelShapes[size_t(level)];
    int inTray[5] = {0, 0, 0, 0, 0};
    for (const ShapeRef& sh : shapes)
        if (sh->Element >= 0 && sh->Element < 5) ++inTray[sh->Element];
    int64_t f = startFrame;
    s << "# solve level " << level + 1 << "\n";
    for (const ShapeRef& sh : shapes) {
        const int e = sh->Element;
        if (e < 0 || e > 4) continue;
        // The tile with the largest slot offset lies on top of the others of its kind.
        const int trayX = 550 + 5 * (--inTray[e]);
        const int trayY = TraySlotY(e);
        s << f << " move " << trayX << " " << trayY << "\n";
        s << f + 2 << " click left\n";
        s << f + 4 << " move " << int(sh->X) << " " << int(sh->Y) << "\n";
        int steps = int(std::lround(std::fmod(std::fmod(sh->Rotation, 360.0f) + 360.0f, 360.0f) / 22.5f)) % 16;
        // A wheel notch down turns clockwise by 22.5 degrees; up turns back. One notch a frame,
        // since two in one frame count as one.
        const int notches = steps <= 8 ? steps : 16 - steps;
        const int dir = steps <= 8 ? -1 : 1;
        int64_t g = f + 5;
        for (int i = 0; i < notches; ++i) s << g++ << " wheel " << dir << "\n";
        g += 5 * notches + 3;  // the turn animates 4.5 degrees a frame
        s << g << " click left\n";
        out.endFrame = g;
        f = g + 4;
    }
    out.text = s.str();
    return out;
}
