// The wisdom file: its bytes (CRLF, Latin-1) and what the game's INI reader makes of it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/ini.hpp"

namespace {

struct Entry {
    std::string key, value;
};

struct Group {
    int headerLine = 0;  // 1-based
    std::vector<Entry> entries;

    std::optional<std::string> First(const std::string& key) const {
        for (auto& e : entries)
            if (e.key == key) return e.value;
        return std::nullopt;
    }
    int Count(const std::string& key) const {
        int n = 0;
        for (auto& e : entries) n += e.key == key;
        return n;
    }
};

struct WisdomFile {
    std::string bytes;
    std::vector<std::string> lines;  // without line ends
    bool allCrlf = true;
    std::map<std::string, Group> groups;
};

const WisdomFile& File() {
    static const WisdomFile wf = [] {
        WisdomFile f;
        std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/assets/data/wisdoms.ini", std::ios::binary);
        f.bytes.assign(std::istreambuf_iterator<char>(in), {});
        size_t start = 0;
        while (start < f.bytes.size()) {
            size_t end = f.bytes.find('\n', start);
            if (end == std::string::npos) end = f.bytes.size();
            std::string line = f.bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            else if (end < f.bytes.size())
                f.allCrlf = false;
            f.lines.push_back(line);
            start = end + 1;
        }
        Group* cur = nullptr;
        for (size_t i = 0; i < f.lines.size(); ++i) {
            const std::string& l = f.lines[i];
            if (l.empty() || l[0] == '#') continue;
            if (l[0] == '[') {
                cur = &f.groups[l.substr(1, l.find(']') - 1)];
                cur->headerLine = int(i) + 1;
                continue;
            }
            if (!cur) continue;
            const auto eq = l.find('=');
            Entry e;
            for (char c : l.substr(0, eq == std::string::npos ? 0 : eq))
                if (c != ' ') e.key += c;
            if (eq != std::string::npos) {
                e.value = l.substr(eq + 1);
                e.value.erase(0, e.value.find_first_not_of(' ') == std::string::npos ? e.value.size()
                                                                                     : e.value.find_first_not_of(' '));
            }
            cur->entries.push_back(e);
        }
        return f;
    }();
    return wf;
}

// The file as the wisdom screen reads it: through the game's INI reader, from the embedded table.
const TIni& Ini() {
    static const IniRef ini = TIni::Read("incbin::../data/wisdoms.ini");
    static const TIni empty;
    return ini ? *ini : empty;
}

void ExpectHundredSayings(const char* name) {
    int32_t seek = Ini().GetSeek(name);
    ASSERT_GT(seek, 0) << name;
    EXPECT_EQ(Ini().GetValue(seek, "anzahl", ""), "100") << name;
    for (int k = 1; k <= 100; ++k) {
        std::string v = Ini().GetValue(seek, std::to_string(k), "");
        EXPECT_NE(v.find_first_not_of(' '), std::string::npos) << name << " saying " << k << " is missing or empty";
        // The screen would break the line at a backslash-n; none of ours should.
        EXPECT_EQ(v.find('\\'), std::string::npos) << name << " saying " << k;
    }
}

}  // namespace

TEST(Wisdoms, FileIsCrlfWithEnglishOnTheFirstLine) {
    ASSERT_FALSE(File().bytes.empty()) << "wisdoms.ini missing";
    EXPECT_TRUE(File().allCrlf);
    EXPECT_EQ(File().lines.front(), "[English]");
    EXPECT_EQ(File().groups.at("English").headerLine, 1);
    for (auto& l : File().lines)
        EXPECT_TRUE(l.empty() || l[0] == '[' || l[0] == '#' || l.find('=') != std::string::npos) << "stray line: " << l;
}

TEST(Wisdoms, BothGroupsHoldAHundredSayings) {
    ExpectHundredSayings("English");
    ExpectHundredSayings("Deutsch");
}

TEST(Wisdoms, EnglishEntriesTheGameReliesOn) {
    const Group& en = File().groups.at("English");
    EXPECT_EQ(en.Count("12"), 2);
    int32_t seek = Ini().GetSeek("English");
    EXPECT_EQ(seek, 2);
    EXPECT_EQ(Ini().GetValue(seek, "12", ""), "Do not speak, unless it improves on silence.");
    EXPECT_EQ(Ini().GetValue(seek, "6", "").rfind("After examination", 0), 0u);
    const std::string four = Ini().GetValue(seek, "4", "");
    ASSERT_FALSE(four.empty());
    EXPECT_EQ(four.back(), ' ');
    EXPECT_NE(four.find_first_not_of(' '), std::string::npos);
}

TEST(Wisdoms, GermanIsLatin1NotUtf8) {
    const std::string allowed = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF";  // ä ö ü Ä Ö Ü ß
    int umlauts = 0;
    for (unsigned char c : File().bytes) {
        if (c < 0x80) continue;
        EXPECT_NE(allowed.find(char(c)), std::string::npos) << "unexpected byte " << int(c);
        ++umlauts;
    }
    EXPECT_GT(umlauts, 0);
}

// The writer of the file. It is a generator, not part of the game library, so its one
// source file is compiled into the tests directly.
#include "tools/textgen/wisdoms.cpp"

TEST(WisdomWriter, WritesLatin1CrlfAndCountsTheSayings) {
    const std::string ini = textgen::BuildWisdomIni(
        "# note\n[English]\n1=One.\n2= Two, kept blank.\\s\n2=Shadowed.\n[Deutsch]\n1=Eins.\n2=Zwei Füße.\n");
    EXPECT_EQ(ini,
              "[English]\r\nAnzahl=2\r\n1=One.\r\n2= Two, kept blank. \r\n2=Shadowed.\r\n"
              "\r\n[Deutsch]\r\nAnzahl=2\r\n1=Eins.\r\n2=Zwei F\xFC\xDF"
              "e.\r\n");
}

TEST(WisdomWriter, RefusesSourcesThatWouldBreakTheScreen) {
    auto fails = [](const std::string& src) {
        try {
            textgen::BuildWisdomIni(src);
        } catch (const std::runtime_error&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(fails("[A]\n1=x\n3=y\n"));                 // gap: saying 2 would show empty
    EXPECT_TRUE(fails("[A]\n1=Price: 5 \xE2\x82\xAC\n"));  // the euro sign has no Latin-1 byte
    EXPECT_TRUE(fails("[A]\n1=   \n"));                    // blank saying
    EXPECT_TRUE(fails("1=orphan\n[A]\n1=x\n"));            // entry before any group
    EXPECT_TRUE(fails("[A]\n1=x\n2=y\n[B]\n1=x\n"));       // translation missing a saying
    EXPECT_TRUE(fails("[A]\nx=y\n"));                      // key that is not a number
    EXPECT_FALSE(fails("[A]\n1=x\n[B]\n1=y\n"));
}
