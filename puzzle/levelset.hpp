// A level set: fifty puzzles with their solution shapes, time limits, mode bits and bonus boards,
// held in two global arrays and stored as a chunked little-endian file (".lvl").
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/stream.hpp"
#include "puzzle/shape.hpp"

inline constexpr int LEVEL_COUNT = 50;
inline constexpr int BONUS_COLUMNS = 8;
inline constexpr int BONUS_ROWS = 9;

// Mode bits of MiscProperties. Bits the game does not know are kept as read.
enum MiscProperty : int32_t {
    MISC_ENLIGHTENMENT = 1,
    MISC_MEDITATION = 2,
    MISC_TWISTER = 4,
    MISC_FREEZE = 8,
    MISC_FLOATING = 16,
    MISC_PLAY_FOR_TILES = 32,
    MISC_TORCH = 64,
    MISC_BOMBS = 128,
    MISC_JOKER = 256,
};

class TLevelProperties {
public:
    int32_t GameTime = 0;  // seconds; 0 means no limit
    int32_t PuzzleSet = 0;
    int32_t MiscProperties = 0;
    // [column][row]; -1 is an empty cell.
    int32_t BonusLevelData[BONUS_COLUMNS][BONUS_ROWS] = {};
    int32_t BonusLevelDifficulty = 0;
    int32_t BonusTime = 0;
    int32_t PuzzleTileData[BONUS_COLUMNS][BONUS_ROWS] = {};

    // The tile pictures the level is drawn with. Only two variants exist; a hand-made file's
    // other values get the mirrored parallelogram, so every piece still has a picture.
    int32_t TileVariant() const { return PuzzleSet == 0 ? 0 : 1; }
    // True when any board cell holds something; only such levels store their bonus data.
    bool HasBonusData() const;
    void ClearBonusBoard();

    template <class IO, class P>
    static void WalkLevelChunk(IO& io, P& p) {
        io.Int(p.GameTime);
        io.Int(p.PuzzleSet);
        io.Int(p.MiscProperties);
    }
    template <class IO, class P>
    static void WalkBonusChunk(IO& io, P& p) {
        for (int x = 0; x < BONUS_COLUMNS; ++x)
            for (int y = 0; y < BONUS_ROWS; ++y) {
                io.Int(p.BonusLevelData[x][y]);
                io.Int(p.PuzzleTileData[x][y]);
            }
        io.Int(p.BonusLevelDifficulty);
        io.Int(p.BonusTime);
    }
};

using ShapeList = std::vector<ShapeRef>;

extern std::array<ShapeList, LEVEL_COUNT> LevelShapes;
extern std::array<TLevelProperties, LEVEL_COUNT> LevelProps;
// Path of the level set being played or edited.
extern std::string CurrLevelSetFile;

// Chunk sizes including the 3-byte tag.
inline constexpr int kLevelChunkSize = 15;
inline constexpr int kShapeChunkSize = 3 + kShapeRecordSize;
inline constexpr int kBonusChunkSize = 587;
inline constexpr int kEndChunkSize = 3;
inline constexpr int kEmptyLevelSetSize = LEVEL_COUNT * kLevelChunkSize + kEndChunkSize;

// Loads a set into LevelShapes and LevelProps. Every level loses its shapes and bonus board
// first; time, variant, mode bits and bonus difficulty stay from the set loaded before until the
// file overwrites them. False when the path cannot be opened.
bool ReadLevelSet(const std::string& path);
// Reads chunks up to "END" or the end of the stream; a chunk cut short by the end is dropped,
// and nothing outside levels 0 to 49 is stored.
void ReadLevelSet(TStream& stream);

// Replaces the file as a whole (temporary file and rename): when writing fails midway the old
// file stays as it was and the call returns false.
bool WriteLevelSet(const std::string& path);
void WriteLevelSet(TStream& stream);
std::vector<uint8_t> EncodeLevelSet();

// Fifty levels of "LVL" 0, 0, 0 and "END": 753 bytes.
bool WriteEmptyLevelSet(const std::string& path);
