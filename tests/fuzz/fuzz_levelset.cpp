// Reads arbitrary bytes as a level set, writes the result and reads that back: the second read
// must see the same levels, and writing again must give the same bytes.
#include <cstring>

#include "fuzz_check.hpp"
#include "puzzle/levelset.hpp"

namespace {
std::vector<uint8_t> Record(const Shape& s) {
    TBankStream out;
    Shape::SaveShape(s, out);
    return out.Bytes();
}

bool SameBoard(const TLevelProperties& a, const TLevelProperties& b) {
    return !std::memcmp(a.BonusLevelData, b.BonusLevelData, sizeof a.BonusLevelData) &&
           !std::memcmp(a.PuzzleTileData, b.PuzzleTileData, sizeof a.PuzzleTileData) && a.BonusTime == b.BonusTime;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (auto& p : LevelProps) p = TLevelProperties();
    for (auto& l : LevelShapes) l.clear();

    TBankStream in(data, size);
    ReadLevelSet(in);
    auto firstProps = LevelProps;
    std::array<std::vector<std::vector<uint8_t>>, LEVEL_COUNT> firstShapes;
    for (int i = 0; i < LEVEL_COUNT; ++i)
        for (auto& s : LevelShapes[size_t(i)]) firstShapes[size_t(i)].push_back(Record(*s));

    std::vector<uint8_t> written = EncodeLevelSet();
    TBankStream again(written.data(), written.size());
    ReadLevelSet(again);

    for (size_t i = 0; i < LEVEL_COUNT; ++i) {
        const TLevelProperties &a = firstProps[i], &b = LevelProps[i];
        FUZZ_CHECK(a.GameTime == b.GameTime && a.PuzzleSet == b.PuzzleSet && a.MiscProperties == b.MiscProperties);
        FUZZ_CHECK(a.BonusLevelDifficulty == b.BonusLevelDifficulty);
        if (a.HasBonusData()) {
            FUZZ_CHECK(SameBoard(a, b));
        } else {
            // A board without a single filled cell is not stored and reads back cleared.
            TLevelProperties cleared;
            cleared.ClearBonusBoard();
            FUZZ_CHECK(SameBoard(cleared, b));
        }
        FUZZ_CHECK(LevelShapes[i].size() == firstShapes[i].size());
        for (size_t k = 0; k < firstShapes[i].size(); ++k) FUZZ_CHECK(Record(*LevelShapes[i][k]) == firstShapes[i][k]);
    }
    FUZZ_CHECK(EncodeLevelSet() == written);
    return 0;
}
