#include "data/ranks.hpp"

#include <algorithm>

#include "data/language.hpp"
#include "data/users.hpp"

const std::array<const char*, RANK_COUNT> RankNames = {
    LangText("Nonbeliever"), LangText("Babbler"),  LangText("Mediative"),
    LangText("Monk"),        LangText("Wise man"), LangText("Buddha"),
};
const std::array<int32_t, RANK_COUNT> RankScores = {0, 50000, 100000, 150000, 200000, 250000};

std::string RankName(int rank) {
    rank = std::clamp(rank, 0, TOP_RANK);
    return Language ? Language->GetString(RankNames[size_t(rank)]) : RankNames[size_t(rank)];
}

int32_t RankForScore(int32_t score) {
    int32_t count = 0;
    for (int i = 1; i < RANK_COUNT; ++i)
        if (RankScores[size_t(i)] <= score) ++count;
    return count;
}

int32_t UpdateRank(TUser& player) {
    int32_t reached = RankForScore(player.Score);
    if (player.CurrentRank < reached) player.CurrentRank = reached;
    return player.CurrentRank;
}
