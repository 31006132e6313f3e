#include "bonus/bonussetup.hpp"

#include <utility>
#include <vector>

#include "platform/random.hpp"

namespace {
constexpr int W = BONUS_BOARD_COLUMNS;
constexpr int H = BONUS_BOARD_ROWS;
constexpr int kRandomPicks = 5000;

bool FreeTileCell(const BonusGame::Grid& levelData, const BonusGame::Grid& markers, int x, int y) {
    int v = levelData[x][y];
    return markers[x][y] == MARK_NONE && v >= 0 && v != CELL_STONE;
}

int CountMarkers(const BonusGame::Grid& markers) {
    int n = 0;
    for (auto& column : markers)
        for (int m : column)
            if (m == MARK_YINYANG) ++n;
    return n;
}
}  // namespace

int BonusShotTime(int bonusTime) {
    static const int kTimes[5] = {20000, 15000, 10000, 6000, 3000};
    return bonusTime >= 0 && bonusTime < 5 ? kTimes[bonusTime] : kTimes[0];
}

int PlaceYinYangSymbols(BonusGame::Grid& levelData, BonusGame::Grid& markers, int heldBackTiles) {
    int left = heldBackTiles - CountMarkers(markers);
    for (int pick = 0; left > 0 && pick < kRandomPicks; ++pick) {
        int x = Rand(0, W - 1), y = Rand(0, H - 1);
        if (!FreeTileCell(levelData, markers, x, y)) continue;
        markers[x][y] = MARK_YINYANG;
        --left;
    }
    if (left <= 0) return CountMarkers(markers);

    // A crowded board: choose among the cells that can still take a marker. Empty cells of the
    // launch row come last, since a symbol there on a full column ends the bonus at once.
    std::vector<std::pair<int, int>> tiles, air, launch;
    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) {
            if (markers[x][y] != MARK_NONE) continue;
            if (FreeTileCell(levelData, markers, x, y))
                tiles.push_back({x, y});
            else if (levelData[x][y] == CELL_EMPTY)
                (y == BONUS_LAUNCH_ROW ? launch : air).push_back({x, y});
        }
    for (auto* pool : {&tiles, &air, &launch}) {
        while (left > 0 && !pool->empty()) {
            size_t i = size_t(Rand(0, int(pool->size()) - 1));
            auto [x, y] = (*pool)[i];
            (*pool)[i] = pool->back();
            pool->pop_back();
            if (levelData[x][y] == CELL_EMPTY) levelData[x][y] = Rand(1, 4);
            markers[x][y] = MARK_YINYANG;
            --left;
        }
    }
    return CountMarkers(markers);
}

bool SetUpBonusBoard(BonusGame& board, const TLevelProperties& level, int heldBackTiles) {
    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) {
            // Level files may come from anywhere: unknown values would index past the tile strip.
            int v = level.BonusLevelData[x][y], m = level.PuzzleTileData[x][y];
            board.LevelData[x][y] = v >= CELL_EMPTY && v <= CELL_STONE ? v : CELL_EMPTY;
            board.PuzzleTileData[x][y] = m == MARK_YINYANG || m == MARK_STAR ? m : MARK_NONE;
        }
    board.AllowBombs = (level.MiscProperties & MISC_BOMBS) != 0;
    board.AllowJokers = (level.MiscProperties & MISC_JOKER) != 0;
    board.SetNextTile();
    board.GameTime = BonusShotTime(level.BonusTime);
    board.GameOver = false;
    const int placed = PlaceYinYangSymbols(board.LevelData, board.PuzzleTileData, heldBackTiles);
    board.AddLevelObject = 0;
    board.MaxElementSize = level.BonusLevelDifficulty;
    board.SetNextTile();
    return placed >= heldBackTiles;
}
