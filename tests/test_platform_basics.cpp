#include <gtest/gtest.h>

#include <filesystem>

#include "platform/filesys.hpp"
#include "platform/input.hpp"
#include "platform/random.hpp"
#include "platform/stream.hpp"

TEST(Random, ParkMillerSequenceAndSeedRules) {
    SeedRnd(1);
    const int32_t known[] = {48271, 182605794, 1291394886, 1914720637, 2078669041};
    for (int32_t k : known) EXPECT_EQ(RndNext(), k);
    for (int64_t degenerate : {int64_t(0), int64_t(-1), int64_t(2147483647)}) {
        SeedRnd(degenerate);
        EXPECT_EQ(RndSeed(), 4660) << degenerate;
    }
    SeedRnd((int64_t(1) << 31) + 5);  // only the low 31 bits count
    EXPECT_EQ(RndSeed(), 5);
    SeedRnd(4660);
    EXPECT_EQ(RndNext(), 224942860);
}

TEST(Random, RangesIncludeOrExcludeTheirEndsAsDocumented) {
    SeedRnd(12345);
    bool sawLo = false, sawHi = false;
    for (int i = 0; i < 2000; ++i) {
        int32_t v = Rand(3, -2);  // bounds in either order
        ASSERT_GE(v, -2);
        ASSERT_LE(v, 3);
        sawLo |= v == -2;
        sawHi |= v == 3;
        double d = Rnd(1.0, 0.5);
        ASSERT_GE(d, 0.5);
        ASSERT_LT(d, 1.0);
        double u = RndDouble();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
    EXPECT_TRUE(sawLo && sawHi);
    EXPECT_EQ(Rand(7, 7), 7);
}

TEST(Input, HitsCountUntilQueriedWheelAndTypedQueue) {
    InputReset();
    InputMouseButton(MOUSE_LEFT, true);
    InputMouseButton(MOUSE_LEFT, false);
    InputMouseButton(MOUSE_LEFT, true);
    InputMouseButton(MOUSE_LEFT, false);
    EXPECT_EQ(MouseHit(MOUSE_LEFT), 2);
    EXPECT_EQ(MouseHit(MOUSE_LEFT), 0);
    EXPECT_EQ(MouseHit(MOUSE_RIGHT), 0);
    InputMouseButton(MOUSE_RIGHT, true);
    EXPECT_TRUE(MouseDown(MOUSE_RIGHT));
    EXPECT_EQ(MouseHit(7), 0);

    InputWheel(2);
    InputWheel(-1);
    EXPECT_EQ(MouseWheel(), 1);

    InputKey(KEY_A, true);
    EXPECT_TRUE(KeyDown(KEY_A));
    EXPECT_EQ(KeyHit(KEY_A), 1);
    EXPECT_EQ(KeyHit(KEY_A), 0);

    InputTypeText("h\xe9");
    EXPECT_EQ(GetChar(), 'h');
    EXPECT_EQ(GetChar(), 0xe9);
    EXPECT_EQ(GetChar(), 0);
    InputTypeText("x");
    InputKey(KEY_S, true);
    FlushKeys();
    EXPECT_EQ(GetChar(), 0);
    EXPECT_EQ(KeyHit(KEY_S), 0);
    InputReset();
}

TEST(Stream, LinesEndAtLineFeedOrZeroAndDropCarriageReturns) {
    std::string text = std::string("one\r\ntwo\nthree") + '\0' + "four";
    TBankStream s(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    EXPECT_EQ(s.ReadLine(), "one");
    EXPECT_EQ(s.ReadLine(), "two");
    EXPECT_EQ(s.ReadLine(), "three");
    EXPECT_FALSE(s.Eof());
    EXPECT_EQ(s.ReadLine(), "four");
    EXPECT_TRUE(s.Eof());
    EXPECT_EQ(s.ReadLine(), "");

    TBankStream w;
    w.WriteLine("a");
    EXPECT_EQ(w.Bytes(), (std::vector<uint8_t>{'a', 13, 10}));
    // Embedded data cannot be written.
    EXPECT_EQ(s.Write("x", 1), 0u);
    EXPECT_TRUE(s.Failed());
}

TEST(Stream, FilesAndEmbeddedEntriesAndAtomicSaves) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_stream_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string path = (dir / "f.bin").string();
    {
        StreamRef w = WriteStream(path);
        ASSERT_TRUE(w);
        w->WriteInt(-7);
        w->WriteString("abc");
    }
    StreamRef r = ReadStream(path);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Size(), 7);
    EXPECT_EQ(r->ReadInt(), -7);
    EXPECT_EQ(r->ReadString(100), "abc") << "a long request returns what is there";
    EXPECT_TRUE(r->Eof());
    EXPECT_EQ(FileType(path), FILETYPE_FILE);
    EXPECT_EQ(FileType(dir.string()), FILETYPE_DIR);
    EXPECT_EQ(FileSize(path), 7);

    // The embedded table serves "incbin::" paths read-only; without the prefix the disk is asked.
    StreamRef e = ReadStream("incbin::../lang/default.lang");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->ReadInt(), 7);
    EXPECT_EQ(e->ReadString(7), "English");
    EXPECT_FALSE(OpenStream("incbin::../lang/default.lang", false, true));
    StreamRef ini = ReadStream("incbin::../data/wisdoms.ini");
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->ReadLine(), "[English]");
    EXPECT_EQ(ini->ReadLine(), "Anzahl=100");
    EXPECT_FALSE(ReadStream("../data/wisdoms.ini")) << "without the prefix the path names a file on disk";
    EXPECT_FALSE(ReadStream("../lang/default.lang"));
    EXPECT_FALSE(ReadStream("incbin::../no/such.file"));
    EXPECT_EQ(FileType("incbin::../lang/default.lang"), FILETYPE_NONE);

    // A save that fails midway leaves the old file whole and says so.
    ASSERT_TRUE(SaveBytesAtomically(path, {1, 2, 3, 4}));
    testhooks::failSaveAfterBytes = 2;
    EXPECT_FALSE(SaveBytesAtomically(path, {9, 9, 9, 9, 9, 9}));
    testhooks::failSaveAfterBytes = -1;
    std::vector<uint8_t> back;
    ASSERT_TRUE(LoadBytes(path, back));
    EXPECT_EQ(back, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(ReadDir(dir.string()), (std::vector<std::string>{"f.bin"})) << "no temporary file left behind";
    EXPECT_FALSE(SaveBytesAtomically((dir / "missing" / "x").string(), {1}));
    std::filesystem::remove_all(dir);
}
