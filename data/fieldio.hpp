// One walk over a record's fields serves both loading and saving: the walker is written once
// against an IO object and handed either a FieldReader or a FieldWriter, so the read order and
// the write order of a file layout can never drift apart.
#pragma once

#include <cstdint>
#include <string>

#include "platform/stream.hpp"

struct FieldReader {
    TStream& s;
    void Int(int32_t& v) { v = s.ReadInt(); }
    void Float(float& v) { v = s.ReadFloat(); }
    void Flag(bool& v) { v = s.ReadByte() != 0; }
    void Line(std::string& v) { v = s.ReadLine(); }
};

struct FieldWriter {
    TStream& s;
    void Int(const int32_t& v) { s.WriteInt(v); }
    void Float(const float& v) { s.WriteFloat(v); }
    void Flag(const bool& v) { s.WriteByte(v ? 1 : 0); }
    // A line cannot carry its own terminators: CR, LF and NUL would split or cut it on the way
    // back in and shift every field after it, so they are left out.
    void Line(const std::string& v) {
        std::string clean;
        clean.reserve(v.size());
        for (char c : v)
            if (c != '\r' && c != '\n' && c != '\0') clean.push_back(c);
        s.WriteLine(clean);
    }
};
