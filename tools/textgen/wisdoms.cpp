#include "wisdoms.hpp"

#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace textgen {

namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
    throw std::runtime_error("wisdoms line " + std::to_string(line) + ": " + what);
}

std::string ToLatin1(const std::string& s, int line) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out += char(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < s.size() && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
            const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[++i]) & 0x3Fu);
            if (cp > 0xFF) Fail(line, "character outside Latin-1");
            out += char(cp);
        } else {
            Fail(line, "character outside Latin-1 or broken UTF-8");
        }
    }
    return out;
}

struct Group {
    std::string header;
    std::vector<std::string> entries;  // written lines, in source order
    std::set<int> keys;
};

}  // namespace

std::string BuildWisdomIni(const std::string& utf8Source) {
    std::vector<Group> groups;
    std::istringstream in(utf8Source);
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.empty() || raw[0] == '#') continue;
        if (raw[0] == '[') {
            if (raw.back() != ']') Fail(line, "group header without ]");
            groups.push_back({raw, {}, {}});
            continue;
        }
        if (groups.empty()) Fail(line, "entry before the first group");
        const auto eq = raw.find('=');
        if (eq == std::string::npos) Fail(line, "entry without =");
        int key = 0;
        try {
            size_t used = 0;
            key = std::stoi(raw.substr(0, eq), &used);
            if (used != eq || key < 1) Fail(line, "key must be a positive number");
        } catch (const std::logic_error&) {
            Fail(line, "key must be a positive number");
        }
        std::string text = raw.substr(eq + 1);
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\\s") == 0) text.replace(text.size() - 2, 2, " ");
        if (text.find_first_not_of(' ') == std::string::npos) Fail(line, "empty saying");
        groups.back().keys.insert(key);
        groups.back().entries.push_back(ToLatin1(raw.substr(0, eq + 1) + text, line));
    }
    if (groups.empty()) throw std::runtime_error("wisdoms: no groups");
    const size_t count = groups.front().keys.size();
    std::string ini;
    for (size_t g = 0; g < groups.size(); ++g) {
        const Group& grp = groups[g];
        if (grp.keys.size() != count || *grp.keys.rbegin() != int(count))
            throw std::runtime_error("wisdoms: " + grp.header + " must number its sayings 1 to " +
                                     std::to_string(count));
        if (g) ini += "\r\n";
        ini += grp.header + "\r\nAnzahl=" + std::to_string(count) + "\r\n";
        for (auto& e : grp.entries) ini += e + "\r\n";
    }
    return ini;
}

}  // namespace textgen
