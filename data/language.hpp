// The language table: every text shown to the player is looked up by its English wording,
// keyed by the MD5 digest of that wording.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.hpp"

using LanMap = std::map<std::string, std::string>;

class TLanEntry {
public:
    void SetLanguageMap(const LanMap& map) { lan = map; }
    LanMap& GetLanguageMap() { return lan; }
    void SetLanguageName(const std::string& name) { LanguageName = name; }
    const std::string& GetLanguageName() const { return LanguageName; }
    static std::shared_ptr<TLanEntry> Construct(const std::string& name);

    LanMap lan;
    std::string LanguageName;
};

class TLanguage {
public:
    static constexpr const char* DEFAULT_LANGUAGE = "English";
    static constexpr const char* DEFAULT_FILENAME = "incbin::../lang/default.lang";

    TLanguage();

    void SetFilename(const std::string& path, bool skipReading);
    const std::string& GetFilename() const { return filename; }
    // Writes every language to the file (temporary file renamed into place); false on failure.
    bool Write();
    std::vector<std::string> GetLanguages() const;
    LanMap& GetLanguageMap() { return *currentLanMap; }
    void Read();
    // Replaces all languages with those of the stream; stops at the first block that does
    // not fit in the bytes left.
    void ReadFrom(TStream& s);
    void WriteTo(TStream& s) const;
    void SetLanguage(const std::string& name);
    void SetStringByKey(const std::string& key, const std::string& text);
    LanMap& GetDefaultLanguageMap() { return *defaultLanguage; }
    std::string GetString(const std::string& english, const std::vector<std::string>& params = {});
    std::string GetStringByKey(const std::string& key) const;
    std::string GetDefaultStringByKey(const std::string& key) const;
    static std::string ReplaceParameters(const std::string& text, const std::vector<std::string>& params);

    std::vector<std::shared_ptr<TLanEntry>> languages;

private:
    LanMap* currentLanMap = nullptr;
    std::string filename;
    // The English map of the first language, and the store of every text looked up in vain.
    LanMap* defaultLanguage = nullptr;
    std::shared_ptr<TLanEntry> defaultEntry;  // keeps defaultLanguage alive across Read
};

// Parses the source list of English texts: one per line, "\n" a line break, "\\" a
// backslash, "#" lines and blank lines skipped.
std::vector<std::string> ParseTextList(const std::string& source);
// The ".lang" file holding one language, "English", whose texts are their own translation.
std::vector<uint8_t> BuildDefaultLanguageFile(const std::vector<std::string>& texts);

namespace HelpFunctions {
// Lower-case hex MD5 of the text's bytes.
std::string MD5(const std::string& text);
uint32_t Rol(uint32_t value, int bits);
// The four bytes of value, least significant first, as hex digits.
std::string LEHex(uint32_t value);
}  // namespace HelpFunctions

// Marks an English literal that is kept in a table and looked up later, so the text list
// check finds it.
inline const char* LangText(const char* s) { return s; }

// The one language table of the program, created at start-up.
extern std::unique_ptr<TLanguage> Language;

// Looks a text up in the language table (shorthand used by every screen).
inline std::string Tx(const char* english) { return Language->GetString(english); }
