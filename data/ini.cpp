#include "data/ini.hpp"

#include <algorithm>
#include <cstdio>

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string Bracketed(const std::string& group) {
    std::string name = group.find('[') == std::string::npos ? "[" : "";
    name += group;
    if (group.find(']') == std::string::npos) name += "]";
    return name;
}

bool IsHeader(const std::string& l) { return !l.empty() && l[0] == '['; }
bool IsSkipped(const std::string& l) { return l.empty() || l[0] == '#'; }

void Debug(const char* what, const std::string& name) { std::printf("INI: %s not found: %s\n", what, name.c_str()); }
}  // namespace

std::string TIni::KeywordOf(const std::string& entry) {
    std::string key;
    size_t eq = entry.find('=');
    if (eq == std::string::npos) return key;
    for (size_t i = 0; i < eq; ++i)
        if (entry[i] != ' ') key.push_back(entry[i]);
    return key;
}

std::string TIni::ValueOf(const std::string& entry) {
    size_t eq = entry.find('=');
    if (eq == std::string::npos) return "";
    size_t start = entry.find_first_not_of(' ', eq + 1);
    return start == std::string::npos ? "" : entry.substr(start);
}

int32_t TIni::LastLine() const {
    // linecount and line are both public; never index past what the array holds.
    return std::min<int32_t>(linecount, int32_t(line.size()) - 1);
}

IniRef TIni::Create() { return std::make_shared<TIni>(); }

IniRef TIni::Read(TStream& stream) {
    IniRef ini = Create();
    // Each line consumes at least one byte, so the loop ends with the data.
    while (!stream.Eof()) {
        ini->line.push_back(stream.ReadLine());
        ++ini->linecount;
    }
    return ini;
}

IniRef TIni::Read(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(path, bytes)) return nullptr;
    TBankStream stream(bytes.data(), bytes.size());
    return Read(stream);
}

void TIni::Write(TStream& stream) const {
    for (int32_t i = 0; i <= LastLine(); ++i) stream.WriteLine(line[size_t(i)]);
}

bool TIni::Write() {
    if (path.empty()) return false;
    TBankStream stream;
    Write(stream);
    return SaveBytesAtomically(path, stream.Bytes());
}

int32_t TIni::GetSeek(const std::string& group) const {
    if (group.empty()) return -1;
    std::string name = Bracketed(group);
    for (int32_t i = 0; i <= LastLine(); ++i)
        if (EqualNoCase(line[size_t(i)], name)) return i + 1;
    Debug("group", group);
    return -1;
}

std::string TIni::GetGroup(int32_t seek) const {
    if (seek >= 0 && seek <= LastLine() && IsHeader(line[size_t(seek)])) return line[size_t(seek)];
    Debug("seek", std::to_string(seek));
    return "";
}

int32_t TIni::SetGroup(const std::string& group) {
    std::string name = Bracketed(group);
    int32_t seek = GetSeek(name);
    if (seek != -1) return seek;
    linecount = LastLine() + 1;
    line.resize(size_t(linecount));
    line.push_back(name);
    return linecount + 1;
}

std::string TIni::GetValue(int32_t seek, const std::string& keyword, const std::string& def) const {
    // Any negative seek is a missing group; a seek past the end finds nothing.
    if (seek < 0) return def;
    for (int32_t i = seek; i <= LastLine(); ++i) {
        const std::string& l = line[size_t(i)];
        if (IsHeader(l)) return def;
        if (IsSkipped(l)) continue;
        if (EqualNoCase(KeywordOf(l), keyword)) return ValueOf(l);
    }
    Debug("keyword", keyword);
    return def;
}

bool TIni::SetValue(int32_t seek, const std::string& keyword, const std::string& value) {
    if (seek < 0) return false;
    for (int32_t i = seek; i <= LastLine(); ++i) {
        std::string& l = line[size_t(i)];
        if (IsHeader(l)) return false;
        if (IsSkipped(l)) continue;
        std::string key = KeywordOf(l);
        if (EqualNoCase(key, keyword)) {
            l = key + " = " + value;
            return true;
        }
    }
    Debug("keyword", keyword);
    return false;
}
