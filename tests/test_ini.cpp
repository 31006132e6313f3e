#include <chrono>

#include "data/ini.hpp"
#include "scratch_dir.hpp"

namespace {
const std::string kSayings = std::string(VELMORA_TEST_DATA) + "/ini/sayings.ini";
}

TEST(Ini, LookupsFollowGroupsKeywordsAndFirstMatch) {
    IniRef ini = TIni::Read(kSayings);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->linecount, 18);
    EXPECT_EQ(ini->line[0], "");
    EXPECT_EQ(ini->path, "");

    EXPECT_EQ(ini->GetSeek("English"), 2);
    EXPECT_EQ(ini->GetSeek("[english]"), 2);
    EXPECT_EQ(ini->GetSeek("DEUTSCH"), 16);
    EXPECT_EQ(ini->GetSeek(""), -1);
    EXPECT_EQ(ini->GetSeek("Français"), -1);

    EXPECT_EQ(ini->GetValue(2, "anzahl", "0"), "100");
    EXPECT_EQ(ini->GetValue(2, "12", ""), "Do not speak, unless it improves on silence.");
    EXPECT_EQ(ini->GetValue(2, "6", ""), "After examination, keep what is good.");
    EXPECT_EQ(ini->GetValue(2, "4", ""), "Patience is a lamp that needs no oil. ");
    EXPECT_EQ(ini->GetValue(2, "5", ""), "Spaces around the sign are allowed.");
    EXPECT_EQ(ini->GetValue(2, "KEYWITHBLANKS", ""), "joined");
    EXPECT_EQ(ini->GetValue(16, "1", ""), "Der Flu\xdf eilt nicht und erreicht doch das Meer.");
    EXPECT_EQ(ini->GetValue(-1, "1", "none"), "none");
    EXPECT_EQ(ini->GetValue(-7, "1", "none"), "none");
    EXPECT_EQ(ini->GetValue(500, "1", "none"), "none");

    EXPECT_EQ(ini->GetGroup(1), "[English]");
    EXPECT_EQ(ini->GetGroup(2), "");
    EXPECT_EQ(ini->GetGroup(99), "");
}

TEST(Ini, SearchStopsSilentlyAtTheNextGroup) {
    IniRef ini = TIni::Read(kSayings);
    ASSERT_TRUE(ini);
    testing::internal::CaptureStdout();
    EXPECT_EQ(ini->GetValue(2, "NurHier", "dflt"), "dflt");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_EQ(ini->GetValue(16, "missing", "dflt"), "dflt");
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");  // the last group runs to the end
}

TEST(Ini, EditingAndWritingBack) {
    ScratchDir dir;
    IniRef ini = TIni::Read(kSayings);
    ASSERT_TRUE(ini);
    std::vector<std::string> before = ini->line;
    EXPECT_EQ(ini->SetGroup("english"), 2);
    EXPECT_EQ(ini->line, before);

    EXPECT_TRUE(ini->SetValue(2, "keywithblanks", "changed"));
    EXPECT_EQ(ini->line[13], "KeyWithBlanks = changed");
    EXPECT_TRUE(ini->SetValue(2, "12", "first"));
    EXPECT_EQ(ini->GetValue(2, "12", ""), "first");
    EXPECT_EQ(ini->line[12], "12=This second twelve is never read.");
    EXPECT_FALSE(ini->SetValue(2, "NurHier", "x"));  // belongs to the next group
    EXPECT_FALSE(ini->SetValue(16, "absent", "x"));  // never added
    EXPECT_FALSE(ini->SetValue(-1, "1", "x"));

    int32_t seek = ini->SetGroup("Tibetan");
    EXPECT_EQ(seek, 20);
    EXPECT_EQ(ini->linecount, 19);
    EXPECT_EQ(ini->GetGroup(19), "[Tibetan]");
    EXPECT_EQ(ini->GetSeek("Tibetan"), 20);

    EXPECT_FALSE(ini->Write());  // no path given
    ini->path = dir.File("out.ini");
    ASSERT_TRUE(ini->Write());
    IniRef back = TIni::Read(ini->path);
    ASSERT_TRUE(back);
    // Line 0 is written too: the file gains an empty first line.
    EXPECT_EQ(back->linecount, ini->linecount + 1);
    for (int32_t i = 0; i <= ini->linecount; ++i) EXPECT_EQ(back->line[size_t(i) + 1], ini->line[size_t(i)]);
    EXPECT_EQ(back->GetSeek("English"), 3);
}

TEST(Ini, EmptyAndMissingFiles) {
    EXPECT_EQ(TIni::Read("/nonexistent/x.ini"), nullptr);
    IniRef fresh = TIni::Create();
    EXPECT_EQ(fresh->linecount, 0);
    EXPECT_EQ(fresh->line.size(), 1u);
    EXPECT_EQ(fresh->GetSeek("A"), -1);
    EXPECT_EQ(fresh->SetGroup("A"), 2);

    TBankStream noFinalBreak(std::vector<uint8_t>{'a', '\r', '\n', 'b'});
    IniRef ini = TIni::Read(noFinalBreak);
    EXPECT_EQ(ini->linecount, 2);
    EXPECT_EQ(ini->line[2], "b");

    // Callers may set linecount themselves; lookups never index past the lines that exist.
    ini->linecount = 1000;
    EXPECT_EQ(ini->GetSeek("x"), -1);
    EXPECT_EQ(ini->GetValue(1, "x", "d"), "d");
    EXPECT_EQ(ini->SetGroup("x"), 4);
}

TEST(Ini, AnyBrokenInputReadsQuickly) {
    for (const std::string& path : DataFiles("broken")) {
        SCOPED_TRACE(path);
        auto t0 = std::chrono::steady_clock::now();
        IniRef ini = TIni::Read(path);
        ASSERT_TRUE(ini);
        EXPECT_EQ(size_t(ini->linecount) + 1, ini->line.size());
        ini->GetValue(ini->GetSeek("A"), "x", "");
        EXPECT_LT(SecondsSince(t0), 1.0);
    }
}
