#include "data/language.hpp"

#include <cstdio>

#include "platform/filesys.hpp"

std::shared_ptr<TLanEntry> TLanEntry::Construct(const std::string& name) {
    auto e = std::make_shared<TLanEntry>();
    e->LanguageName = name;
    return e;
}

TLanguage::TLanguage() {
    languages.push_back(TLanEntry::Construct(DEFAULT_LANGUAGE));
    SetLanguage(DEFAULT_LANGUAGE);
    // The size query has no answer for embedded paths, so the default file is not read here.
    SetFilename(DEFAULT_FILENAME, false);
    defaultLanguage = currentLanMap;
    for (auto& l : languages)
        if (&l->lan == currentLanMap) defaultEntry = l;
}

void TLanguage::SetFilename(const std::string& path, bool skipReading) {
    filename = path;
    if (FileSize(path) >= 0 && !skipReading) Read();
}

std::vector<std::string> TLanguage::GetLanguages() const {
    std::vector<std::string> names;
    for (auto& l : languages) names.push_back(l->LanguageName);
    return names;
}

void TLanguage::Read() {
    std::printf("reading...\n");
    StreamRef s = ReadStream(filename);
    if (!s) return;
    ReadFrom(*s);
    s->Close();
}

void TLanguage::ReadFrom(TStream& s) {
    languages.clear();
    auto left = [&s] { return s.Size() - s.Pos(); };
    while (left() >= 8) {
        int32_t nameLen = s.ReadInt();
        if (nameLen < 0 || nameLen > left()) break;
        std::string name = s.ReadString(size_t(nameLen));
        int32_t count = s.ReadInt();
        auto entry = TLanEntry::Construct(name);
        std::printf("Read language: %s\n", name.c_str());
        bool broken = count < 0;
        for (int32_t i = 0; !broken && i < count; ++i) {
            if (left() < 36) {
                broken = true;
                break;
            }
            std::string key = s.ReadString(32);
            int32_t textLen = s.ReadInt();
            if (textLen < 0 || textLen > left()) {
                broken = true;
                break;
            }
            entry->lan[key] = s.ReadString(size_t(textLen));
        }
        languages.push_back(entry);
        if (broken) break;
    }
    SetLanguage(DEFAULT_LANGUAGE);
}

void TLanguage::WriteTo(TStream& s) const {
    for (auto& l : languages) {
        std::printf("Write language: %s\n", l->LanguageName.c_str());
        s.WriteInt(int32_t(l->LanguageName.size()));
        s.WriteString(l->LanguageName);
        s.WriteInt(int32_t(l->lan.size()));
        for (auto& [key, text] : l->lan) {
            s.WriteString(key);
            s.WriteInt(int32_t(text.size()));
            s.WriteString(text);
        }
    }
}

bool TLanguage::Write() {
    // Embedded files cannot be written.
    if (filename.rfind(kIncbinPrefix, 0) == 0 || filename.empty()) return false;
    std::printf("Start writing...\n");
    TBankStream bank;
    WriteTo(bank);
    return SaveBytesAtomically(filename, bank.Bytes());
}

void TLanguage::SetLanguage(const std::string& name) {
    for (auto& l : languages)
        if (l->LanguageName == name) {
            currentLanMap = &l->lan;
            return;
        }
    auto e = TLanEntry::Construct(name);
    languages.push_back(e);
    currentLanMap = &e->lan;
}

void TLanguage::SetStringByKey(const std::string& key, const std::string& text) {
    currentLanMap->erase(key);
    currentLanMap->emplace(key, text);
}

std::string TLanguage::GetString(const std::string& english, const std::vector<std::string>& params) {
    std::string key = HelpFunctions::MD5(english);
    std::string chosen;
    auto cur = currentLanMap->find(key);
    if (cur != currentLanMap->end() && !cur->second.empty()) {
        chosen = cur->second;
    } else {
        auto def = defaultLanguage->find(key);
        if (def != defaultLanguage->end() && !def->second.empty()) {
            chosen = def->second;
        } else {
            (*defaultLanguage)[key] = english;
            chosen = english;
        }
    }
    return params.empty() ? chosen : ReplaceParameters(chosen, params);
}

std::string TLanguage::GetStringByKey(const std::string& key) const {
    auto it = currentLanMap->find(key);
    return it == currentLanMap->end() ? std::string() : it->second;
}

std::string TLanguage::GetDefaultStringByKey(const std::string& key) const {
    auto it = defaultLanguage->find(key);
    return it == defaultLanguage->end() ? std::string() : it->second;
}

std::string TLanguage::ReplaceParameters(const std::string& text, const std::vector<std::string>& params) {
    std::string out = text;
    for (size_t i = 0; i < params.size(); i += 2) {
        std::string pattern = "$" + params[i];
        if (i + 1 >= params.size()) break;  // a name without a value changes nothing
        const std::string& value = params[i + 1];
        size_t pos = 0;
        while ((pos = out.find(pattern, pos)) != std::string::npos) {
            out.replace(pos, pattern.size(), value);
            pos += value.size();
        }
    }
    return out;
}

std::vector<std::string> ParseTextList(const std::string& source) {
    std::vector<std::string> texts;
    size_t start = 0;
    while (start <= source.size()) {
        size_t end = source.find('\n', start);
        if (end == std::string::npos) end = source.size();
        std::string line = source.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                char c = line[++i];
                text.push_back(c == 'n' ? '\n' : c);
            } else {
                text.push_back(line[i]);
            }
        }
        texts.push_back(text);
    }
    return texts;
}

std::vector<uint8_t> BuildDefaultLanguageFile(const std::vector<std::string>& texts) {
    TLanEntry english;
    english.LanguageName = TLanguage::DEFAULT_LANGUAGE;
    for (const std::string& t : texts) english.lan[HelpFunctions::MD5(t)] = t;
    TLanguage table;
    table.languages = {std::make_shared<TLanEntry>(english)};
    TBankStream bank;
    table.WriteTo(bank);
    return bank.Bytes();
}

std::unique_ptr<TLanguage> Language;
