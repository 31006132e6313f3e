// Helpers shared by the bonus-board tests: boards laid out by hand and run to rest.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bonus/bonusgame.hpp"
#include "data/language.hpp"

inline void EnsureLanguage() {
    if (!Language) Language = std::make_unique<TLanguage>();
}

// Something is still rising, exploding or waiting to turn into a star tile.
inline bool BoardBusy(const BonusGame& g) {
    if (g.TilesMoving) return true;
    for (int x = 0; x < BONUS_BOARD_COLUMNS; ++x)
        for (int y = 0; y < BONUS_BOARD_ROWS; ++y)
            if (g.Explode[x][y] > 0 || g.PuzzleTileData[x][y] >= MARK_PENDING_STAR) return true;
    return false;
}

// Runs updates until the board is at rest (and one more, for the checks made at rest).
inline int Settle(BonusGame& g, int limit = 600) {
    int n = 0;
    do {
        g.MoveTiles();
        ++n;
    } while (BoardBusy(g) && n < limit);
    g.MoveTiles();
    return n;
}

inline void SetRow(BonusGame& g, std::vector<int> values) {
    g.CurrentElement.fill(CELL_EMPTY);
    for (size_t i = 0; i < values.size() && i < 4; ++i) g.CurrentElement[i] = values[i];
}

// A board made for a test: empty, nothing pending, with the combo check of the empty start
// already made so that only the test's own shots count.
inline std::unique_ptr<BonusGame> EmptyBoard() {
    EnsureLanguage();
    auto g = std::make_unique<BonusGame>();
    g->StrategyCombo = true;
    return g;
}
