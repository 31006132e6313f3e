#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "data/language.hpp"
#include "platform/filesys.hpp"

TEST(Language, DigestsAreRfc1321Md5) {
    EXPECT_EQ(HelpFunctions::MD5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(HelpFunctions::MD5("New"), "03c2e7e41ffc181a4e84080b4710e81e");
    EXPECT_EQ(HelpFunctions::MD5("Get ready!"), "09348ae6d369aae4ed2312d654962076");
    // Longer than one 64-byte block, and exactly at the padding boundary.
    EXPECT_EQ(HelpFunctions::MD5(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(HelpFunctions::MD5("The quick brown fox jumps over the lazy dog"), "9e107d9d372bb6826bd81d3542a419d6");
    EXPECT_EQ(HelpFunctions::Rol(0x80000001u, 1), 3u);
    EXPECT_EQ(HelpFunctions::Rol(5u, 32), 5u);
    EXPECT_EQ(HelpFunctions::LEHex(0x01020304u), "04030201");
}

TEST(Language, UnknownTextsAreShownInEnglishAndRemembered) {
    TLanguage lang;
    EXPECT_EQ(lang.GetString("Get ready!"), "Get ready!");
    EXPECT_EQ(lang.GetDefaultLanguageMap().at("09348ae6d369aae4ed2312d654962076"), "Get ready!");
    // A translation wins; an empty one falls through to the default.
    lang.SetLanguage("Deutsch");
    lang.SetStringByKey(HelpFunctions::MD5("New"), "Neu");
    EXPECT_EQ(lang.GetString("New"), "Neu");
    lang.SetStringByKey(HelpFunctions::MD5("Get ready!"), "");
    EXPECT_EQ(lang.GetString("Get ready!"), "Get ready!");
    EXPECT_EQ(lang.GetLanguages(), (std::vector<std::string>{"English", "Deutsch"}));
}

TEST(Language, ParametersAreFilledInArrayOrder) {
    TLanguage lang;
    EXPECT_EQ(lang.GetString("Score: $score", {"score", "120"}), "Score: 120");
    EXPECT_EQ(lang.GetString("Score: $score", {"level", "3"}), "Score: $score");
    EXPECT_EQ(TLanguage::ReplaceParameters("$a and $a", {"a", "x"}), "x and x");
    // An odd array: the last name has no value and changes nothing.
    EXPECT_EQ(TLanguage::ReplaceParameters("$a $b", {"a", "1", "b"}), "1 $b");
    // A longer name must come first, or the shorter one eats its beginning.
    EXPECT_EQ(TLanguage::ReplaceParameters("$levelset", {"levelset", "S", "level", "L"}), "S");
    EXPECT_EQ(TLanguage::ReplaceParameters("$levelset", {"level", "L", "levelset", "S"}), "Lset");
}

TEST(Language, WriteThenReadReproducesEveryLanguageAndEntry) {
    auto dir = std::filesystem::temp_directory_path() / "velmora_lang_test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "t.lang").string();
    {
        TLanguage lang;
        lang.GetString("New");
        lang.GetString("Line one\nline two");
        lang.SetLanguage("Deutsch");
        lang.SetStringByKey(HelpFunctions::MD5("New"), "Neu");
        lang.SetLanguage("Empty");
        lang.SetFilename(path, true);
        ASSERT_TRUE(lang.Write());
    }
    TLanguage back;
    back.SetFilename(path, false);
    EXPECT_EQ(back.GetLanguages(), (std::vector<std::string>{"English", "Deutsch", "Empty"}));
    EXPECT_EQ(back.GetString("Line one\nline two"), "Line one\nline two");
    EXPECT_EQ(back.languages[1]->lan.at(HelpFunctions::MD5("New")), "Neu");
    EXPECT_TRUE(back.languages[2]->lan.empty());
    // The file itself round-trips byte for byte.
    TBankStream again;
    back.WriteTo(again);
    std::vector<uint8_t> disk;
    ASSERT_TRUE(LoadBytes(path, disk));
    EXPECT_EQ(again.Bytes(), disk);
    std::filesystem::remove_all(dir);
}

TEST(Language, BrokenFilesEndTheReadWithoutHugeAllocations) {
    TBankStream s;
    s.WriteInt(7);
    s.WriteString("English");
    s.WriteInt(2);
    s.WriteString(HelpFunctions::MD5("New"));
    s.WriteInt(3);
    s.WriteString("New");
    s.WriteString(HelpFunctions::MD5("Old"));
    s.WriteInt(0x7fffffff);  // a text length far beyond the file
    s.WriteString("Old");
    s.Seek(0);
    TLanguage lang;
    lang.ReadFrom(s);
    ASSERT_EQ(lang.languages.size(), 1u);
    EXPECT_EQ(lang.languages[0]->lan.size(), 1u);

    TBankStream liar;
    liar.WriteInt(-5);
    liar.WriteInt(1000000000);
    liar.Seek(0);
    lang.ReadFrom(liar);
    EXPECT_EQ(lang.GetLanguages(), (std::vector<std::string>{"English"}));
}

TEST(Language, EmbeddedDefaultIsTheGeneratorOutputOfTheTextList) {
    std::vector<uint8_t> list, embedded;
    ASSERT_TRUE(LoadBytes(VELMORA_SOURCE_DIR "/data/english_texts.txt", list));
    ASSERT_TRUE(LoadBytes("incbin::../lang/default.lang", embedded));
    auto texts = ParseTextList(std::string(list.begin(), list.end()));
    EXPECT_EQ(BuildDefaultLanguageFile(texts), embedded) << "run tools/langgen after changing data/english_texts.txt";
    EXPECT_EQ(FileSize("incbin::../lang/default.lang"), -1) << "embedded files have no size on disk";

    TBankStream s(embedded.data(), embedded.size());
    TLanguage lang;
    lang.ReadFrom(s);
    ASSERT_EQ(lang.GetLanguages(), (std::vector<std::string>{"English"}));
    for (auto& [key, text] : lang.languages[0]->lan) EXPECT_EQ(HelpFunctions::MD5(text), key) << text;
}

// Every literal text the code passes to the table must be in the list, so no screen shows a
// text that translators never see.
TEST(Language, EveryLiteralTextOfTheCodeIsListed) {
    std::vector<uint8_t> list;
    ASSERT_TRUE(LoadBytes(VELMORA_SOURCE_DIR "/data/english_texts.txt", list));
    auto texts = ParseTextList(std::string(list.begin(), list.end()));
    std::set<std::string> known(texts.begin(), texts.end());
    // A long text may be split into adjacent literals, which the compiler joins.
    std::regex call(R"re((?:GetString|Tx|LangText)\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+))re");
    std::regex piece(R"re("((?:[^"\\]|\\.)*)")re");
    int found = 0;
    for (const char* dir : {"app", "puzzle", "game", "bonus", "editor", "ui", "data", "fx"}) {
        auto root = std::filesystem::path(VELMORA_SOURCE_DIR) / dir;
        if (!std::filesystem::exists(root)) continue;
        for (auto& f : std::filesystem::recursive_directory_iterator(root)) {
            if (f.path().extension() != ".cpp" && f.path().extension() != ".hpp") continue;
            std::ifstream in(f.path());
            std::string src((std::istreambuf_iterator<char>(in)), {});
            for (std::sregex_iterator it(src.begin(), src.end(), call), end; it != end; ++it) {
                std::string text, raw;
                const std::string literals = (*it)[1];
                for (std::sregex_iterator p(literals.begin(), literals.end(), piece), pend; p != pend; ++p)
                    raw += (*p)[1];
                for (size_t i = 0; i < raw.size(); ++i) {
                    if (raw[i] == '\\' && i + 1 < raw.size()) {
                        char c = raw[++i];
                        text.push_back(c == 'n' ? '\n' : c);
                    } else {
                        text.push_back(raw[i]);
                    }
                }
                ++found;
                EXPECT_TRUE(known.count(text)) << f.path() << ": \"" << raw << "\" is not in data/english_texts.txt";
            }
        }
    }
    EXPECT_GT(found, 0);
}
