// The hall of fame keeps no file: every showing builds it anew from ten built-in entries and
// the score of every player on this machine.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/users.hpp"

inline constexpr int kHighscoreRows = 10;

// Ten names with the scores 10000 down to 1000, for players to beat.
extern const std::array<const char*, kHighscoreRows> HighscoreBuiltInNames;

// Rows 0 to 9 are shown; the eleventh entry is where each player comes in, and whatever is
// left there drops out.
struct HighscoreTable {
    std::array<std::string, kHighscoreRows + 1> Names;
    std::array<int32_t, kHighscoreRows + 1> Scores{};
};

// Players come in one after another in list order and bubble up past lower scores only, so a
// tie stays below whoever held that score first.
HighscoreTable BuildHighscoreTable(const std::vector<UserRef>& players);

// The score in seven fixed digits: leading zeros, and only the last seven of a longer number.
std::string HighscoreDigits(int32_t score);

// The rank shown beside an entry: the rank of its score, but for a name that belongs to a
// player (the last of that name), the player's own rank, which never drops.
int32_t HighscoreRank(const std::string& name, int32_t score, const std::vector<UserRef>& players);
