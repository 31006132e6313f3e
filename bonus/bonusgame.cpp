#include "bonus/bonusgame.hpp"

#include <algorithm>
#include <cstdio>

#include "bonus/bonussound.hpp"
#include "data/language.hpp"
#include "platform/input.hpp"
#include "platform/random.hpp"
#include "platform/timing.hpp"
#include "ui/frame.hpp"

namespace {
constexpr int W = BONUS_BOARD_COLUMNS;
constexpr int H = BONUS_BOARD_ROWS;

template <class F>
void ForEachNeighbour(int x, int y, F f) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            int nx = x + dx, ny = y + dy;
            if (nx >= 0 && nx < W && ny >= 0 && ny < H) f(nx, ny);
        }
}

void FillGrid(BonusGame::Grid& g, int32_t v) {
    for (auto& column : g)
        for (auto& cell : column) cell = v;
}

// Tile-strip frame of a cell value: each symbol owns a row of 16 shimmer frames.
int TileFrame(int v) { return v < 8 ? v * 16 : v + 136; }

bool IsBombFrame(int frame) { return frame >= 112 && frame <= 143; }

// A joker completes any pair; stones and empty cells never take part.
bool RunCounts(int a, int b, int c) {
    if (a < 0 || b < 0 || c < 0 || a == CELL_STONE || b == CELL_STONE || c == CELL_STONE) return false;
    return (a == b && b == c) || (a == CELL_JOKER && b == c) || (b == CELL_JOKER && a == c) ||
           (c == CELL_JOKER && a == b);
}
}  // namespace

BonusGame::BonusGame() {
    FillGrid(LevelData, CELL_EMPTY);
    FillGrid(PuzzleTileData, MARK_NONE);
    FillGrid(Match, 0);
    FillGrid(Explode, 0);
    FillGrid(TileOffsetY, 0);
    CurrentElement.fill(CELL_EMPTY);
    CurrentElementSwapX.fill(0);
    StartTime = PauseTime = Millisecs();

    bool mid = AutoMidHandleEnabled();
    AutoMidHandle(true);
    Tileset = LoadAnimImage("incbin::../gfx/bonusgame/tiles.png", 40, 40, 0, 160);
    StarPowerUp = LoadImage("incbin::../gfx/bonusgame/star_powerup.png");
    AutoMidHandle(false);
    BackgroundImage = LoadImage("incbin::../gfx/bonusgame/bg.png");
    TimeBar = LoadAnimImage("incbin::../gfx/bonusgame/timebar.png", 46, 300, 0, 2);
    AutoMidHandle(mid);
    if (!TimeBar) {
        std::fprintf(stderr, "TimeBar-Image not found!\n");
        QuitProgram(1);
    }
}

bool BonusGame::BoardHoldsSymbol(int value) const {
    for (auto& column : LevelData)
        for (int cell : column)
            if (cell == value) return true;
    return false;
}

void BonusGame::SetNextTile() {
    // Difficulty comes from level files; keep the row within its four slots.
    int n = std::clamp(int(Rand(0, MaxElementSize)), 0, 3);
    CurrentElement.fill(CELL_EMPTY);
    // New symbols must match something on the board. A board that holds no plain symbol at
    // all (only stones, jokers, bombs) accepts any, or the draw below would never end.
    bool anySymbol = false;
    for (int s = 0; s <= 5 && !anySymbol; ++s) anySymbol = BoardHoldsSymbol(s);
    for (int i = 0; i <= n; ++i) {
        bool accepted = false;
        while (!accepted) {
            int s = Rand(0, 5);
            accepted = !anySymbol || BoardHoldsSymbol(s);
            CurrentElement[size_t(i)] = s;
            if (Rand(0, 25) == 1) {
                if (AllowJokers) {
                    CurrentElement[size_t(i)] = CELL_JOKER;
                    accepted = true;
                }
                if (AllowBombs && Rand(0, 10) > 4) {
                    CurrentElement[size_t(i)] = CELL_BOMB;
                    accepted = true;
                }
            }
        }
    }
}

int BonusGame::RowLength() const {
    int c = 0;
    for (int v : CurrentElement)
        if (v >= 0) ++c;
    return c;
}

int BonusGame::RowLeft(int mouseX) const {
    int c = RowLength();
    int p = mouseX - Offset_X - 20 * c;
    if (p < 0) p = 0;
    if (p > 320 - 40 * c) p = 320 - 40 * c;
    return p;
}

void BonusGame::Render(int state) {
    bool active = state == BONUS_STATE_ACTIVE;
    if (MoveOut) {
        Offset_Y = int32_t(float(Offset_Y) + acc);
        if (acc < 12.0f) acc *= 1.1f;
    }
    DrawImage(BackgroundImage, float(Offset_X), float(Offset_Y));
    Stars.Render();
    DrawBoard();

    int p = RowLeft(MouseX());
    DrawCurrentRow(active, p);
    Rotate(active);
    float f = UpdateShotTimer(active);
    DrawTimeBar(f);

    // The lower-left corner is where the puzzle game's own buttons sit.
    bool inCorner = MouseX() < 85 && MouseY() > 290;
    if ((MouseHits[0] || f <= 0.0f) && !swapnow && !TilesMoving && active && !inCorner) Fire(int((22 + p) / 40));
    MoveTiles();
    Particles.Render();
}

void BonusGame::DrawBoard() {
    int t = Millisecs();
    float turn = float((t / 10) % 360);
    float pulse = 0.5f + 0.25f * SinDeg(float((t / 10) % 360));
    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) {
            float cx = float(Offset_X + 22 + 40 * x);
            float cy = float(Offset_Y + 22 + 40 * y + TileOffsetY[x][y]);
            int v = LevelData[x][y];
            int marker = PuzzleTileData[x][y];
            if (v >= 0) {
                int frame = TileFrame(v);
                if (marker == MARK_STAR) {
                    SetColor(int(128.0f + 64.0f * SinDeg(float((t / 2) % 360))),
                             int(128.0f + 64.0f * CosDeg(float((t / 2) % 360))),
                             int(128.0f + 64.0f * SinDeg(float((t / 6) % 360))));
                    if (frame < 144 && !IsBombFrame(frame))
                        frame += std::clamp(int(8.0f + 8.0f * SinDeg(float((t / 20) % 360))), 0, 15);
                }
                if (IsBombFrame(frame)) frame += (t / 20) % 32;
                DrawImage(Tileset, cx, cy, frame);
                SetColor(255, 255, 255);
            }
            SetRotation(turn);
            if (marker == MARK_YINYANG) DrawImage(Tileset, cx, cy, 144);
            if (marker == MARK_STAR && v >= 0) {
                SetBlend(LIGHTBLEND);
                SetAlpha(0.6f);
                SetScale(pulse, pulse);
                DrawImage(StarPowerUp, cx, cy);
                SetScale(1.0f, 1.0f);
                SetAlpha(1.0f);
                SetBlend(ALPHABLEND);
            }
            SetRotation(0.0f);
        }
}

void BonusGame::DrawCurrentRow(bool active, int p) {
    if (active) {
        int t = Millisecs();
        SetAlpha(CurrentElementAlpha);
        for (size_t i = 0; i < CurrentElement.size(); ++i) {
            int v = CurrentElement[i];
            if (v < 0) continue;
            int frame = v * 16;
            if (IsBombFrame(frame)) frame += (t / 20) % 32;
            DrawImage(Tileset, float(Offset_X + 22 + p + 40 * int(i) + CurrentElementSwapX[i]), float(Offset_Y + 342),
                      frame);
        }
        SetAlpha(1.0f);
    }
    if (CurrentElementAlpha < 1.0f) CurrentElementAlpha += 0.2f;
}

void BonusGame::StartRotation(bool otherDirection) {
    OtherDirection = otherDirection;
    swapnow = true;
    swapoffset = 0;
    PlayBonusSound(BONUS_SOUND_ROTATE);
}

void BonusGame::Rotate(bool active) {
    int c = RowLength();
    // Keys turn the row in every state; the mouse only while the board is in play.
    if (KeyHit(KEY_A)) StartRotation(false);
    int otherKeys = KeyHit(KEY_S) + KeyHit(KEY_SPACE);
    if (otherKeys) StartRotation(true);
    if (!swapnow && active && c > 1) {
        if (MouseHits[1])
            StartRotation(false);
        else if (MouseZ != OldMouseZ)
            StartRotation(MouseZ > OldMouseZ);
    }
    if (!swapnow) return;

    swapoffset += 5;
    CurrentElementSwapX.fill(0);
    if (c > 0) {
        if (!OtherDirection) {
            CurrentElementSwapX[0] = swapoffset * (c - 1);
            for (size_t i = 1; i < 4; ++i) CurrentElementSwapX[i] = -swapoffset;
        } else {
            for (int i = 0; i <= c - 2; ++i) CurrentElementSwapX[size_t(i)] = swapoffset;
            CurrentElementSwapX[size_t(c - 1)] = -swapoffset * (c - 1);
        }
    }
    if (swapoffset > 39) {
        CurrentElementSwapX.fill(0);
        swapnow = false;
        if (c > 1) {
            if (!OtherDirection)
                std::rotate(CurrentElement.begin(), CurrentElement.begin() + 1, CurrentElement.begin() + c);
            else
                std::rotate(CurrentElement.begin(), CurrentElement.begin() + (c - 1), CurrentElement.begin() + c);
        }
    }
}

float BonusGame::UpdateShotTimer(bool active) {
    int now = Millisecs();
    if (!active && PauseTime == 0) PauseTime = now;
    if (active && PauseTime > 0) {
        StartTime += now - PauseTime;
        PauseTime = 0;
    }
    int ref = active ? now : PauseTime;
    float f = GameTime > 0 ? float(StartTime + GameTime - ref) / float(GameTime) : 0.0f;
    if (f < 0.0f) f = 0.0f;
    LastTimeLeft = f;
    return f;
}

void BonusGame::DrawTimeBar(float f) {
    float y = float(Offset_Y + 64);
    DrawImage(TimeBar, 94.0f, y, 0);
    int used = int(256.0f - 256.0f * f);
    if (used <= 0) return;
    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    SetViewport(94, Offset_Y + 86, 46, used);
    DrawImage(TimeBar, 94.0f, y, 1);
    SetViewport(vx, vy, vw, vh);
}

void BonusGame::Fire(int first) {
    StrategyCombo = false;
    // Every shot restarts the timer, so an idle player's row goes off each time it runs out.
    StartTime = Millisecs();
    for (int i = 0; i < 4; ++i) {
        int v = CurrentElement[size_t(i)];
        int x = first + i;
        if (v < 0 || x < 0 || x >= W) continue;
        LevelData[x][BONUS_LAUNCH_ROW] = v;
        TileOffsetY[x][BONUS_LAUNCH_ROW] = 0;
    }
    PlayBonusSound(BONUS_SOUND_SHOT);
    SetNextTile();
    CurrentElementAlpha = 0.0f;
}

bool BonusGame::MarkBombs() {
    bool any = false, fresh = false;
    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) {
            if (LevelData[x][y] != CELL_BOMB) continue;
            any = true;
            if (Match[x][y] != 1) fresh = true;
            Match[x][y] = 1;
            ForEachNeighbour(x, y, [&](int nx, int ny) {
                if (LevelData[nx][ny] >= 0) Match[nx][ny] = 1;
            });
        }
    // The fuse is heard once, not again on every frame the bomb waits for its turn.
    if (fresh) PlayBonusSound(BONUS_SOUND_BOMB);
    return any;
}

bool BonusGame::MarkLines() {
    bool any = false;
    auto test = [&](int x1, int y1, int x2, int y2, int x3, int y3) {
        if (!RunCounts(LevelData[x1][y1], LevelData[x2][y2], LevelData[x3][y3])) return;
        Match[x1][y1] = Match[x2][y2] = Match[x3][y3] = 1;
        any = true;
    };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x <= W - 3; ++x) test(x, y, x + 1, y, x + 2, y);
    for (int x = 0; x < W; ++x)
        for (int y = 0; y <= H - 3; ++y) test(x, y, x, y + 1, x, y + 2);
    for (int x = 0; x <= W - 3; ++x)
        for (int y = 0; y <= H - 3; ++y) test(x, y, x + 1, y + 1, x + 2, y + 2);
    for (int x = 0; x <= W - 3; ++x)
        for (int y = 2; y < H; ++y) test(x, y, x + 1, y - 1, x + 2, y - 2);
    return any;
}

bool BonusGame::ScheduleExplosions() {
    bool starBlast = false;
    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y)
            if (Match[x][y] == 1 && PuzzleTileData[x][y] == MARK_STAR) starBlast = true;

    bool scheduled = false;
    int k = 0, m = 0;
    if (starBlast) {
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y) {
                if (Match[x][y] != 1 || Explode[x][y] != 0) continue;
                ForEachNeighbour(x, y, [&](int nx, int ny) {
                    int v = LevelData[nx][ny];
                    if (Match[nx][ny] != 1 && v >= 0 && v != CELL_STONE) {
                        Match[nx][ny] = 2;
                        Explode[nx][ny] = 0;
                    }
                });
            }
        for (int y = H - 1; y >= 0; --y)
            for (int x = 0; x < W; ++x)
                if ((Match[x][y] == 1 || Match[x][y] == 2) && Explode[x][y] == 0) {
                    Match[x][y] = 1;
                    k += EXPLODE_DELAY;
                    Explode[x][y] = k;
                    scheduled = true;
                }
        return scheduled;
    }
    for (int y = H - 1; y >= 0; --y)
        for (int x = 0; x < W; ++x) {
            if (Match[x][y] != 1 || Explode[x][y] != 0 || LevelData[x][y] == CELL_STONE) continue;
            k += EXPLODE_DELAY;
            Explode[x][y] = k;
            ++m;
            scheduled = true;
            if (m == 4) {
                // The fourth cell of one pass turns into a star tile of its own symbol.
                if (PuzzleTileData[x][y] == MARK_YINYANG) ++AddLevelObject;
                PuzzleTileData[x][y] = LevelData[x][y] + MARK_PENDING_STAR;
                CreateText = Tx("Multicombo");
                AddScore += 250;
            }
        }
    return scheduled;
}

void BonusGame::MoveTiles() {
    bool busy = false;  // the board is still unless something moves, matches or explodes
    TilesMoving = false;
    bool exploding = false;
    for (auto& column : Explode)
        for (int e : column)
            if (e > 0) exploding = true;
    busy = exploding;

    if (!exploding) {
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y)
                if (PuzzleTileData[x][y] >= MARK_PENDING_STAR) {
                    LevelData[x][y] = PuzzleTileData[x][y] - MARK_PENDING_STAR;
                    PuzzleTileData[x][y] = MARK_STAR;
                    Particles.Init(100, float(Offset_X + 40 * x + 20), float(Offset_Y + 40 * y + 20), 0);
                    busy = true;
                }

        for (int x = 0; x < W; ++x)
            for (int y = 1; y < H; ++y) {
                int v = LevelData[x][y];
                if (v < 0 || v == CELL_STONE || LevelData[x][y - 1] != CELL_EMPTY) continue;
                TilesMoving = true;
                busy = true;
                TileOffsetY[x][y] -= TILE_MOVE_SPEED;
                Stars.Init(float(Offset_X + 40 * x + Rand(10, 30)), float(Offset_Y + 40 * y + Rand(10, 30)), 0.0f);
                if (TileOffsetY[x][y] < -39) {
                    LevelData[x][y - 1] = v;
                    // A tile without a symbol of its own picks up one that floats in the empty
                    // cell it enters; otherwise that symbol (and its puzzle tile) would be lost.
                    if (PuzzleTileData[x][y] != MARK_NONE || PuzzleTileData[x][y - 1] == MARK_NONE)
                        PuzzleTileData[x][y - 1] = PuzzleTileData[x][y];
                    TileOffsetY[x][y - 1] = 0;
                    LevelData[x][y] = CELL_EMPTY;
                    PuzzleTileData[x][y] = MARK_NONE;
                    TileOffsetY[x][y] = 0;
                }
            }
        FillGrid(Match, 0);
    }

    if (!TilesMoving) {
        if (AllowBombs && MarkBombs()) busy = true;
        if (MarkLines()) busy = true;
    }

    if (!exploding && ScheduleExplosions()) busy = true;

    if (!TilesMoving && !StrategyCombo) {
        StrategyCombo = true;
        bool anyMatch = false;
        for (auto& column : Match)
            for (int mt : column)
                if (mt > 0) anyMatch = true;
        if (anyMatch) {
            ++StrategyComboCounter;
            busy = true;
            if (StrategyComboCounter > 1) {
                CreateText = Language->GetString("$combo x Combo", {"combo", std::to_string(StrategyComboCounter)});
                AddScore += 500;
                PlayBonusSound(BONUS_SOUND_COMBO);
            }
        } else {
            StrategyComboCounter = 0;
        }
    }

    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) {
            if (Explode[x][y] <= 1) continue;
            --Explode[x][y];
            if (Explode[x][y] != 1) continue;
            busy = true;
            LevelData[x][y] = CELL_EMPTY;
            Particles.Init(Rand(15, 30), float(Offset_X + 40 * x + 20), float(Offset_Y + 40 * y + 20), 0);
            AddScore += 50;
            Explode[x][y] = 0;
            PlayBonusSound(BONUS_SOUND_EXPLODE);
            if (PuzzleTileData[x][y] == MARK_YINYANG) ++AddLevelObject;
            if (PuzzleTileData[x][y] == MARK_YINYANG || PuzzleTileData[x][y] == MARK_STAR)
                PuzzleTileData[x][y] = MARK_NONE;
        }

    if (!busy && !DontCheckAnyMore) {
        for (int x = 0; x < W; ++x)
            if (LevelData[x][BONUS_LAUNCH_ROW] >= 0) {
                GameOver = true;
                DontCheckAnyMore = true;
            }
    }
}
