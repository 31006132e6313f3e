// Scripted input for reproducible runs: one command per line, "F verb args", F being the
// number of frames flipped so far. The commands of frame F are applied after flip F.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScriptCommand {
    int64_t frame = 0;
    std::string verb;  // move down up click wheel keydown keyup key type shot close
    int a = 0, b = 0;
    std::string text;  // for type and shot
    int line = 0;
};

class TScript {
public:
    // Parses the whole script; on a bad line returns false with "line N: reason" in error.
    bool Parse(const std::string& source, std::string& error);
    bool Load(const std::string& path, std::string& error);
    // Applies every command due at this frame count (0 = before the first flip).
    void Apply(int64_t frame);
    const std::vector<ScriptCommand>& Commands() const { return commands_; }

private:
    std::vector<ScriptCommand> commands_;
    size_t next_ = 0;
    // Releases scheduled by click and key, applied one frame later.
    std::vector<ScriptCommand> pending_;
};

// Looks up a key name: a virtual key code number, a single letter or digit, or a name such as
// "escape", "enter", "space", "left", "f1". Returns -1 when unknown.
int ParseKeyName(const std::string& name);
