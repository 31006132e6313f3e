// A small reader and editor of INI-style text: "[group]" headers, "keyword = value" entries and
// "#" comments, held as an array of lines. A group is addressed by its seek, the line number just
// after its header. Line 0 is an empty line of our own; the file's lines are 1 .. linecount.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.hpp"

class TIni;
using IniRef = std::shared_ptr<TIni>;

class TIni {
public:
    std::string path;  // where Write goes; empty unless the caller sets it
    std::vector<std::string> line{std::string()};
    int32_t linecount = 0;

    static IniRef Create();
    // Null when the path cannot be opened.
    static IniRef Read(const std::string& path);
    static IniRef Read(TStream& stream);

    // Writes lines 0 .. linecount, each ended by CR LF; line 0 included, so a file read and
    // written back gains an empty first line. False when path is empty or the write failed.
    bool Write();
    void Write(TStream& stream) const;

    // -1 when the group is missing or empty.
    int32_t GetSeek(const std::string& group) const;
    // The header line at that line number, or "".
    std::string GetGroup(int32_t seek) const;
    // Seek of the group, appended as a new header when it is missing.
    int32_t SetGroup(const std::string& group);
    // The first matching entry of the group starting at seek; the default when there is none.
    std::string GetValue(int32_t seek, const std::string& keyword, const std::string& def) const;
    // Replaces the first matching entry of the group; never adds one.
    bool SetValue(int32_t seek, const std::string& keyword, const std::string& value);

    // Keyword of an entry line: the text before the first "=" without blanks.
    static std::string KeywordOf(const std::string& entry);
    // Value of an entry line: the text after the first "=" without leading blanks.
    static std::string ValueOf(const std::string& entry);

private:
    int32_t LastLine() const;
};
