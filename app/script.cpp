#include "app/script.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "platform/graphics.hpp"
#include "platform/input.hpp"
#include "platform/stream.hpp"

namespace {

bool ParseInt(const std::string& s, int& out) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

int ParseButton(const std::string& s) {
    if (s == "left") return MOUSE_LEFT;
    if (s == "right") return MOUSE_RIGHT;
    if (s == "middle") return MOUSE_MIDDLE;
    return 0;
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

int ParseKeyName(const std::string& name) {
    int code;
    if (ParseInt(name, code)) return (code >= 0 && code < kKeyCount) ? code : -1;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    static const std::pair<const char*, int> kNames[] = {
        {"backspace", KEY_BACKSPACE},
        {"tab", KEY_TAB},
        {"enter", KEY_ENTER},
        {"return", KEY_ENTER},
        {"escape", KEY_ESCAPE},
        {"esc", KEY_ESCAPE},
        {"space", KEY_SPACE},
        {"pageup", KEY_PAGEUP},
        {"pagedown", KEY_PAGEDOWN},
        {"end", KEY_END},
        {"home", KEY_HOME},
        {"left", KEY_LEFT},
        {"up", KEY_UP},
        {"right", KEY_RIGHT},
        {"down", KEY_DOWN},
        {"insert", KEY_INSERT},
        {"delete", KEY_DELETE},
        {"numadd", KEY_NUMADD},
        {"numsubtract", KEY_NUMSUBTRACT},
        {"lshift", KEY_LSHIFT},
        {"rshift", KEY_RSHIFT},
        {"lcontrol", KEY_LCONTROL},
        {"rcontrol", KEY_RCONTROL},
        {"lalt", KEY_LALT},
        {"ralt", KEY_RALT},
    };
    std::string n = Lower(name);
    for (auto& [k, v] : kNames)
        if (n == k) return v;
    if (n.size() >= 2 && n[0] == 'f' && ParseInt(n.substr(1), code) && code >= 1 && code <= 12)
        return KEY_F1 + code - 1;
    return -1;
}

bool TScript::Parse(const std::string& source, std::string& error) {
    commands_.clear();
    pending_.clear();
    next_ = 0;
    std::istringstream in(source);
    std::string raw;
    int lineNo = 0;
    int64_t lastFrame = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNo) + ": " + why;
        commands_.clear();
        return false;
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string line = raw;
        // "type" keeps the rest of its line, so a '#' there is text, not a comment.
        std::istringstream words(line);
        std::string frameWord, verb;
        if (!(words >> frameWord) || frameWord[0] == '#') continue;
        int frame;
        if (!ParseInt(frameWord, frame) || frame < 0) return fail("frame number expected, got \"" + frameWord + "\"");
        if (frame < lastFrame) return fail("frame " + frameWord + " comes before an earlier line's frame");
        lastFrame = frame;
        if (!(words >> verb)) return fail("command expected after the frame number");
        ScriptCommand c;
        c.frame = frame;
        c.verb = verb;
        c.line = lineNo;
        std::string rest;
        std::getline(words, rest);
        if (verb != "type") {
            size_t hash = rest.find('#');
            if (hash != std::string::npos) rest.erase(hash);
        }
        std::istringstream args(rest);
        std::vector<std::string> a;
        for (std::string w; args >> w;) a.push_back(w);
        auto want = [&](size_t n) { return a.size() == n; };
        if (verb == "move") {
            if (!want(2) || !ParseInt(a[0], c.a) || !ParseInt(a[1], c.b)) return fail("move needs X Y");
        } else if (verb == "down" || verb == "up" || verb == "click") {
            if (!want(1) || !(c.a = ParseButton(a[0]))) return fail(verb + " needs left, right or middle");
        } else if (verb == "wheel") {
            if (!want(1) || !ParseInt(a[0], c.a)) return fail("wheel needs a number of notches");
        } else if (verb == "keydown" || verb == "keyup" || verb == "key") {
            if (!want(1) || (c.a = ParseKeyName(a[0])) < 0) return fail(verb + " needs a key code or key name");
        } else if (verb == "type") {
            // One blank separates the verb from the text; the rest is typed as it stands.
            c.text = rest.empty() ? rest : rest.substr(1);
        } else if (verb == "shot") {
            if (!want(1)) return fail("shot needs a file path");
            c.text = a[0];
        } else if (verb == "close") {
            if (!want(0)) return fail("close takes no arguments");
        } else {
            return fail("unknown command \"" + verb + "\"");
        }
        commands_.push_back(c);
    }
    return true;
}

bool TScript::Load(const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(path, bytes)) {
        error = "cannot read " + path;
        return false;
    }
    return Parse(std::string(bytes.begin(), bytes.end()), error);
}

void TScript::Apply(int64_t frame) {
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->frame <= frame) {
            if (it->verb == "up") InputMouseButton(it->a, false);
            if (it->verb == "keyup") InputKey(it->a, false);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    while (next_ < commands_.size() && commands_[next_].frame <= frame) {
        const ScriptCommand& c = commands_[next_++];
        if (c.verb == "move") {
            InputMouseMove(c.a, c.b);
        } else if (c.verb == "down") {
            InputMouseButton(c.a, true);
        } else if (c.verb == "up") {
            InputMouseButton(c.a, false);
        } else if (c.verb == "click") {
            InputMouseButton(c.a, true);
            pending_.push_back({frame + 1, "up", c.a, 0, "", c.line});
        } else if (c.verb == "wheel") {
            InputWheel(c.a);
        } else if (c.verb == "keydown") {
            InputKey(c.a, true);
        } else if (c.verb == "keyup") {
            InputKey(c.a, false);
        } else if (c.verb == "key") {
            InputKey(c.a, true);
            pending_.push_back({frame + 1, "keyup", c.a, 0, "", c.line});
        } else if (c.verb == "type") {
            InputTypeText(c.text);
        } else if (c.verb == "shot") {
            PixmapRef frameShot = GrabPixmap(0, 0, kLogicalWidth, kLogicalHeight);
            // The screen has no alpha of its own; keep the picture opaque.
            for (uint32_t& p : frameShot->pixels) p |= 0xff000000u;
            if (!SavePixmapPNG(*frameShot, c.text)) std::fprintf(stderr, "shot: cannot write %s\n", c.text.c_str());
        } else if (c.verb == "close") {
            InputClose();
        }
    }
}
