// Ranks: titles earned by total score. A player keeps the highest rank reached, so a score that
// is set back (a failed level, a replay) never takes a title away again.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class TUser;

inline constexpr int RANK_COUNT = 6;
inline constexpr int TOP_RANK = RANK_COUNT - 1;

// English names, marked for the language table; RankName gives the looked-up text.
extern const std::array<const char*, RANK_COUNT> RankNames;
extern const std::array<int32_t, RANK_COUNT> RankScores;

// The rank name in the player's language; indices outside the table clamp to its ends.
std::string RankName(int rank);
// How many of the thresholds 1 to 5 the score reaches.
int32_t RankForScore(int32_t score);
// Raises the player's CurrentRank to the rank of the score (never lowers it) and returns it.
int32_t UpdateRank(TUser& player);
