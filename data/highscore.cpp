#include "data/highscore.hpp"

#include <utility>

#include "data/ranks.hpp"

const std::array<const char*, kHighscoreRows> HighscoreBuiltInNames = {
    "Amaya Stillwater", "Tenzin Brightpath", "Old Koru",        "Lina Whitecloud", "Rowan Seven",
    "Sora Lantern",     "Dorje Pebble",      "Yeshe Moonfield", "Kai Riverstone",  "Nima Quietfoot",
};

HighscoreTable BuildHighscoreTable(const std::vector<UserRef>& players) {
    HighscoreTable t;
    for (int i = 0; i < kHighscoreRows; ++i) {
        t.Names[size_t(i)] = HighscoreBuiltInNames[size_t(i)];
        t.Scores[size_t(i)] = 10000 - 1000 * i;
    }
    for (const UserRef& p : players) {
        t.Names[kHighscoreRows] = p->Name;
        t.Scores[kHighscoreRows] = p->Score;
        for (bool swapped = true; swapped;) {
            swapped = false;
            for (size_t i = 0; i < kHighscoreRows; ++i) {
                if (t.Scores[i] < t.Scores[i + 1]) {
                    std::swap(t.Scores[i], t.Scores[i + 1]);
                    std::swap(t.Names[i], t.Names[i + 1]);
                    swapped = true;
                }
            }
        }
    }
    return t;
}

std::string HighscoreDigits(int32_t score) {
    // A score below zero cannot be earned; such a stored value shows as nothing reached.
    std::string s = std::to_string(score < 0 ? 0 : score);
    if (s.size() < 7) s.insert(0, 7 - s.size(), '0');
    return s.substr(s.size() - 7);
}

int32_t HighscoreRank(const std::string& name, int32_t score, const std::vector<UserRef>& players) {
    UserRef owner;
    for (const UserRef& p : players)
        if (p->Name == name) owner = p;
    return owner ? UpdateRank(*owner) : RankForScore(score);
}
