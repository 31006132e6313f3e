#include "puzzle/levelset.hpp"

#include <cstdio>
#include <cstring>

#include "data/fieldio.hpp"

std::array<ShapeList, LEVEL_COUNT> LevelShapes;
std::array<TLevelProperties, LEVEL_COUNT> LevelProps;
std::string CurrLevelSetFile = "data/Beginners.lvl";

bool TLevelProperties::HasBonusData() const {
    for (auto& column : BonusLevelData)
        for (int32_t cell : column)
            if (cell > -1) return true;
    return false;
}

void TLevelProperties::ClearBonusBoard() {
    for (int x = 0; x < BONUS_COLUMNS; ++x)
        for (int y = 0; y < BONUS_ROWS; ++y) {
            BonusLevelData[x][y] = -1;
            PuzzleTileData[x][y] = -1;
        }
}

static void ClearLevelData() {
    for (int i = 0; i < LEVEL_COUNT; ++i) {
        LevelShapes[i] = ShapeList();
        LevelProps[i].ClearBonusBoard();
        LevelProps[i].BonusTime = 0;
    }
}

namespace {
enum class Chunk { Level, Shape, Bonus, End, Unknown };

Chunk ChunkOf(const char tag[3]) {
    if (!std::memcmp(tag, "LVL", 3)) return Chunk::Level;
    if (!std::memcmp(tag, "SHP", 3)) return Chunk::Shape;
    if (!std::memcmp(tag, "BON", 3)) return Chunk::Bonus;
    if (!std::memcmp(tag, "END", 3)) return Chunk::End;
    return Chunk::Unknown;
}

int64_t PayloadOf(Chunk c) {
    switch (c) {
        case Chunk::Level:
            return kLevelChunkSize - 3;
        case Chunk::Shape:
            return kShapeChunkSize - 3;
        case Chunk::Bonus:
            return kBonusChunkSize - 3;
        default:
            return 0;
    }
}
}  // namespace

void ReadLevelSet(TStream& stream) {
    ClearLevelData();
    FieldReader in{stream};
    int level = -1;
    for (;;) {
        char tag[3];
        if (stream.Size() - stream.Pos() < 3 || stream.Read(tag, 3) != 3) break;
        Chunk chunk = ChunkOf(tag);
        if (chunk == Chunk::End) break;
        if (chunk == Chunk::Unknown) continue;  // a stray tag is skipped on its own
        int64_t payload = PayloadOf(chunk);
        if (stream.Size() - stream.Pos() < payload) break;  // cut off: keep what came before
        if (chunk == Chunk::Level) {
            // A 51st level has nowhere to go, and nothing after it belongs to levels 0 to 49.
            if (++level >= LEVEL_COUNT) break;
            LevelShapes[level].clear();
            TLevelProperties::WalkLevelChunk(in, LevelProps[level]);
        } else if (level < 0) {
            stream.Seek(stream.Pos() + payload);  // data before the first level belongs nowhere
        } else if (chunk == Chunk::Shape) {
            LevelShapes[level].push_back(Shape::ReadShape(stream));
        } else {
            TLevelProperties::WalkBonusChunk(in, LevelProps[level]);
        }
    }
}

bool ReadLevelSet(const std::string& path) {
    // Progress lines for bug reports: which file a game or the editor really read.
    std::printf("Clear LevelDatas in Memory...\n");
    std::printf("Open Level File: %s\n", path.c_str());
    std::vector<uint8_t> bytes;
    if (!LoadBytes(path, bytes)) {
        ClearLevelData();
        return false;
    }
    std::printf("Start To Read Data...\n");
    TBankStream stream(bytes.data(), bytes.size());
    ReadLevelSet(stream);
    return true;
}

void WriteLevelSet(TStream& stream) {
    FieldWriter out{stream};
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        const TLevelProperties& props = LevelProps[level];
        stream.WriteString("LVL");
        TLevelProperties::WalkLevelChunk(out, props);
        for (const ShapeRef& shape : LevelShapes[level]) {
            if (!shape) continue;
            stream.WriteString("SHP");
            Shape::SaveShape(*shape, stream);
        }
        if (props.HasBonusData()) {
            stream.WriteString("BON");
            TLevelProperties::WalkBonusChunk(out, props);
        }
    }
    stream.WriteString("END");
}

std::vector<uint8_t> EncodeLevelSet() {
    TBankStream stream;
    WriteLevelSet(stream);
    return stream.Bytes();
}

bool WriteLevelSet(const std::string& path) {
    std::printf("Write level: %s\n", path.c_str());
    return SaveBytesAtomically(path, EncodeLevelSet());
}

bool WriteEmptyLevelSet(const std::string& path) {
    std::printf("Write level: %s\n", path.c_str());
    TBankStream stream;
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        stream.WriteString("LVL");
        for (int i = 0; i < 3; ++i) stream.WriteInt(0);
    }
    stream.WriteString("END");
    return SaveBytesAtomically(path, stream.Bytes());
}
