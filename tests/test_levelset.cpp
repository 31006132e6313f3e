#include <chrono>
#include <cstring>

#include "platform/embedded.hpp"
#include "platform/filesys.hpp"
#include "puzzle/levelset.hpp"
#include "scratch_dir.hpp"

namespace {
std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> b;
    EXPECT_TRUE(LoadBytes(path, b)) << path;
    return b;
}

size_t ShapeCount() {
    size_t n = 0;
    for (auto& l : LevelShapes) n += l.size();
    return n;
}

size_t BonusLevelCount() {
    size_t n = 0;
    for (auto& p : LevelProps) n += p.HasBonusData();
    return n;
}

void ResetAll() {
    for (auto& p : LevelProps) p = TLevelProperties();
    for (auto& l : LevelShapes) l.clear();
}

std::vector<uint8_t> Chunk(const char* tag, std::initializer_list<int32_t> ints) {
    TBankStream s;
    s.WriteString(tag);
    for (int32_t v : ints) s.WriteInt(v);
    return s.Bytes();
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}
}  // namespace

TEST(ShapeRecord, ThirtyFourBytesInFieldOrder) {
    Shape s;
    s.PickedUp = true;
    s.Pickable = false;
    s.RotateIt = -22.5f;
    s.X = 81;
    s.Y = 438;
    s.Rotation = 337.5f;
    s.R = 1, s.G = 2, s.B = 3, s.Element = 4;
    s.zoomer = 0.5f;  // not part of the record
    TBankStream out;
    Shape::SaveShape(s, out);
    ASSERT_EQ(out.Size(), kShapeRecordSize);
    const auto& b = out.Bytes();
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 0);
    float f;
    std::memcpy(&f, &b[6], 4);
    EXPECT_EQ(f, 81.0f);
    EXPECT_EQ(b[30], 4);

    out.Seek(0);
    ShapeRef back = Shape::ReadShape(out);
    EXPECT_TRUE(back->PickedUp);
    EXPECT_FALSE(back->Pickable);
    EXPECT_EQ(back->RotateIt, -22.5f);
    EXPECT_EQ(back->Y, 438.0f);
    EXPECT_EQ(back->Rotation, 337.5f);
    EXPECT_EQ(back->B, 3);
    EXPECT_EQ(back->Element, 4);
    EXPECT_EQ(back->zoomer, 0.9f);  // the rest comes from construction
    EXPECT_EQ(back->Alpha, 1.0f);
}

TEST(LevelSet, EmptySetIs753BytesAndReadsAsFiftyEmptyLevels) {
    ScratchDir dir;
    std::string path = dir.File("Beginners.lvl");
    ASSERT_TRUE(WriteEmptyLevelSet(path));
    std::vector<uint8_t> bytes = FileBytes(path);
    ASSERT_EQ(bytes.size(), 753u);
    for (int level = 0; level < LEVEL_COUNT; ++level) {
        const uint8_t* c = &bytes[size_t(level) * 15];
        EXPECT_EQ(std::memcmp(c, "LVL", 3), 0);
        for (int i = 3; i < 15; ++i) EXPECT_EQ(c[i], 0);
    }
    EXPECT_EQ(std::memcmp(&bytes[750], "END", 3), 0);

    LevelProps[9].GameTime = 77;
    ASSERT_TRUE(ReadLevelSet(path));
    EXPECT_EQ(LevelProps[9].GameTime, 0);
    EXPECT_EQ(ShapeCount(), 0u);
    EXPECT_EQ(BonusLevelCount(), 0u);
    EXPECT_EQ(EncodeLevelSet(), bytes);
    EXPECT_EQ(dir.Count(), 1u);  // no temporary file left behind
}

// Every file of the folder, and every embedded set, is read to its last byte and written back as is.
TEST(LevelSet, FilesComeBackByteForByte) {
    std::vector<std::string> paths = DataFiles("levelsets");
    for (const EmbeddedFile& e : EmbeddedFiles())
        if (e.name.size() > 4 && e.name.compare(e.name.size() - 4, 4, ".lvl") == 0)
            paths.push_back(kIncbinPrefix + e.name);
    ASSERT_GE(paths.size(), 3u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ResetAll();
        ASSERT_TRUE(ReadLevelSet(path));
        std::vector<uint8_t> original = FileBytes(path);
        std::vector<uint8_t> written = EncodeLevelSet();
        EXPECT_EQ(written, original);
        EXPECT_EQ(written.size(), 753 + 37 * ShapeCount() + 587 * BonusLevelCount());
    }
}

TEST(LevelSet, ShapesAndBonusBoardsLandInTheirLevels) {
    ResetAll();
    ASSERT_TRUE(ReadLevelSet(std::string(VELMORA_TEST_DATA) + "/levelsets/full_set.lvl"));
    EXPECT_EQ(LevelShapes[0].size(), 1u);
    EXPECT_EQ(LevelShapes[12].size(), 13u);
    EXPECT_EQ(LevelShapes[12][8]->Element, 0);
    EXPECT_EQ(LevelShapes[12][8]->X, 248.0f);
    EXPECT_EQ(LevelShapes[12][8]->Rotation, 90.0f);
    EXPECT_EQ(LevelProps[7].MiscProperties, 1 | 16 | 0x4000);
    EXPECT_EQ(LevelProps[13].GameTime, 69);
    EXPECT_EQ(LevelProps[13].PuzzleSet, 1);
    // Level 0 keeps its board although it is not a bonus level.
    EXPECT_EQ(LevelProps[0].MiscProperties & MISC_PLAY_FOR_TILES, 0);
    EXPECT_EQ(LevelProps[0].BonusLevelData[2][2], 5);
    EXPECT_EQ(LevelProps[0].BonusLevelData[2][3], -1);
    EXPECT_EQ(LevelProps[0].BonusTime, 4);
    EXPECT_EQ(LevelProps[33].BonusLevelData[1][0], (9 + 33) % 6);
    EXPECT_EQ(LevelProps[33].BonusLevelData[1][6], 9);
    EXPECT_EQ(LevelProps[33].PuzzleTileData[0][0], 0);
    EXPECT_EQ(LevelProps[33].BonusLevelDifficulty, 1);
    EXPECT_EQ(LevelProps[34].BonusLevelData[0][0], -1);
}

TEST(LevelSet, LevelWhoseCellsAreAllEmptyGetsNoBonusChunk) {
    ResetAll();
    ASSERT_TRUE(ReadLevelSet(std::string(VELMORA_TEST_DATA) + "/levelsets/empty.lvl"));
    TLevelProperties& p = LevelProps[7];
    p.MiscProperties = MISC_PLAY_FOR_TILES;
    p.BonusTime = 3;
    p.BonusLevelDifficulty = 2;
    p.PuzzleTileData[4][4] = 0;  // markers alone do not make a board
    LevelShapes[7].push_back(std::make_shared<Shape>());
    std::vector<uint8_t> bytes = EncodeLevelSet();
    EXPECT_EQ(bytes.size(), 753u + 37u);

    p.BonusLevelData[0][8] = 0;  // a single cell does
    EXPECT_EQ(EncodeLevelSet().size(), 753u + 37u + 587u);

    TBankStream in(bytes.data(), bytes.size());
    ReadLevelSet(in);
    EXPECT_FALSE(LevelProps[7].HasBonusData());
    EXPECT_EQ(LevelProps[7].PuzzleTileData[4][4], -1);
    EXPECT_EQ(LevelProps[7].BonusTime, 0);
}

TEST(LevelSet, ShortFileKeepsTheEarlierSetsLevelSettings) {
    ResetAll();
    ASSERT_TRUE(ReadLevelSet(std::string(VELMORA_TEST_DATA) + "/levelsets/full_set.lvl"));
    std::array<TLevelProperties, LEVEL_COUNT> before = LevelProps;

    std::vector<uint8_t> three;
    for (int i = 0; i < 3; ++i) Append(three, Chunk("LVL", {100 + i, 0, 0}));
    Append(three, Chunk("END", {}));
    TBankStream in(three.data(), three.size());
    ReadLevelSet(in);

    EXPECT_EQ(LevelProps[2].GameTime, 102);
    EXPECT_EQ(LevelProps[1].PuzzleSet, 0);
    for (int level = 3; level < LEVEL_COUNT; ++level) {
        SCOPED_TRACE(level);
        EXPECT_TRUE(LevelShapes[size_t(level)].empty());
        EXPECT_EQ(LevelProps[size_t(level)].GameTime, before[size_t(level)].GameTime);
        EXPECT_EQ(LevelProps[size_t(level)].PuzzleSet, before[size_t(level)].PuzzleSet);
        EXPECT_EQ(LevelProps[size_t(level)].MiscProperties, before[size_t(level)].MiscProperties);
        EXPECT_EQ(LevelProps[size_t(level)].BonusLevelDifficulty, before[size_t(level)].BonusLevelDifficulty);
        EXPECT_FALSE(LevelProps[size_t(level)].HasBonusData());
        EXPECT_EQ(LevelProps[size_t(level)].BonusTime, 0);
    }
}

TEST(LevelSet, MissingFileLeavesEveryLevelEmpty) {
    ASSERT_TRUE(ReadLevelSet(std::string(VELMORA_TEST_DATA) + "/levelsets/full_set.lvl"));
    EXPECT_FALSE(ReadLevelSet("/nonexistent/none.lvl"));
    EXPECT_EQ(ShapeCount(), 0u);
    EXPECT_EQ(BonusLevelCount(), 0u);
}

// The debug lines a bug report relies on to tell which file was read or written.
TEST(LevelSet, ReadingAndWritingSayWhichFileInTheLog) {
    ScratchDir dir;
    const std::string path = dir.File("Logged.lvl");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(WriteEmptyLevelSet(path));
    ASSERT_TRUE(WriteLevelSet(path));
    ASSERT_TRUE(ReadLevelSet(path));
    EXPECT_FALSE(ReadLevelSet(path + ".missing"));
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "Write level: " + path + "\nWrite level: " + path +
                       "\nClear LevelDatas in Memory...\nOpen Level File: " + path +
                       "\nStart To Read Data...\nClear LevelDatas in Memory...\nOpen Level File: " + path +
                       ".missing\n");
}

TEST(LevelSet, InterruptedSaveKeepsThePreviousFile) {
    ScratchDir dir;
    std::string path = dir.File("Mine.lvl");
    ResetAll();
    ASSERT_TRUE(ReadLevelSet(std::string(VELMORA_TEST_DATA) + "/levelsets/full_set.lvl"));
    ASSERT_TRUE(WriteLevelSet(path));
    std::vector<uint8_t> saved = FileBytes(path);

    LevelShapes[5].clear();
    LevelProps[5].GameTime = 999;
    testhooks::failSaveAfterBytes = 100;
    bool ok = WriteLevelSet(path);
    testhooks::failSaveAfterBytes = -1;
    EXPECT_FALSE(ok);
    EXPECT_EQ(FileBytes(path), saved);
    EXPECT_EQ(dir.Count(), 1u);
    EXPECT_FALSE(WriteLevelSet(dir.File("no/such/folder.lvl")));
    EXPECT_FALSE(WriteLevelSet(std::string(kIncbinPrefix) + "../data/Jewels of Dharma.lvl"));

    ASSERT_TRUE(ReadLevelSet(path));
    EXPECT_NE(LevelProps[5].GameTime, 999);
    EXPECT_FALSE(LevelShapes[5].empty());
}

TEST(LevelSet, DamagedFilesReadAsFarAsTheyGoAndNoFurther) {
    const std::string broken = std::string(VELMORA_TEST_DATA) + "/broken/";
    ResetAll();
    ReadLevelSet(broken + "level_51_levels.lvl");
    EXPECT_EQ(ShapeCount(), 50u);  // the 51st level and the board after it are dropped
    EXPECT_EQ(BonusLevelCount(), 0u);
    EXPECT_EQ(LevelProps[49].GameTime, 1);

    ResetAll();
    ReadLevelSet(broken + "level_chunks_before_first.lvl");
    EXPECT_EQ(ShapeCount(), 1u);
    EXPECT_EQ(LevelShapes[0][0]->Element, 4);
    EXPECT_EQ(LevelProps[0].GameTime, 5);
    EXPECT_EQ(BonusLevelCount(), 0u);

    ResetAll();
    ReadLevelSet(broken + "level_cut_in_shape.lvl");
    EXPECT_EQ(ShapeCount(), 1u);  // the half shape is not invented

    ResetAll();
    ReadLevelSet(broken + "level_no_end.lvl");
    std::vector<uint8_t> whole = FileBytes(std::string(VELMORA_TEST_DATA) + "/levelsets/full_set.lvl");
    EXPECT_EQ(EncodeLevelSet(), whole);

    ResetAll();
    ReadLevelSet(broken + "level_stray_tags.lvl");
    EXPECT_EQ(LevelProps[0].GameTime, 1);
}

// Whatever the bytes, reading ends quickly, and what was read writes back to a fixed point.
TEST(LevelSet, AnyBrokenInputLoadsQuickly) {
    for (const std::string& path : DataFiles("broken")) {
        SCOPED_TRACE(path);
        auto t0 = std::chrono::steady_clock::now();
        ResetAll();
        ReadLevelSet(path);
        std::vector<uint8_t> once = EncodeLevelSet();
        TBankStream again(once.data(), once.size());
        ReadLevelSet(again);
        EXPECT_EQ(EncodeLevelSet(), once);
        EXPECT_LT(SecondsSince(t0), 1.0);
    }
}
