// The map between levels (a path of 50 stations, one per level of the set) and the screen
// shown after the last level of a set.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TUser;
class TBitmapFont;

class Point {
public:
    int32_t x = 0, y = 0;
    void Set(int32_t px, int32_t py) {
        x = px;
        y = py;
    }
};

// Station i of the map picture (916 x 480) is level i + 1.
const std::array<Point, 50>& ProgressPath();

// A station can be chosen once the player's progress in the current set has reached it.
bool StationReachable(const TUser& player, const std::string& levelSetFile, int station);

// Levels completed over every level set on disk (embedded sets are not counted), 50 per set.
struct ProgressTotals {
    int32_t currLevel = 0;
    int32_t numLevels = 0;
};
ProgressTotals CountProgressTotals(const TUser& player, const std::vector<std::string>& folders);

// Scroll of the map after one frame's step towards the current station at mapX.
float ScrollMapTowards(float scroll, float mapX);

// Runs until "Play" or "Exit" and the fade-out. The player may pick another reached level,
// switch the map off, or leave the game (quit).
void ShowProgressMap(int32_t& level, bool& showMap, bool& quit);

// The congratulation text broken into the lines the end screen shows.
std::vector<std::string> EndScreenLines(const std::string& text, const TBitmapFont& font);
// Runs until a click and the fade to black.
void ShowEndScreen();
