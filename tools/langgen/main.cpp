// velmora-langgen [LIST] [OUT]: writes the embedded English language file from the text list.
#include <cstdio>
#include <string>

#include "data/language.hpp"
#include "platform/stream.hpp"

int main(int argc, char** argv) {
    std::string list = argc > 1 ? argv[1] : "data/english_texts.txt";
    std::string out = argc > 2 ? argv[2] : "assets/lang/default.lang";
    std::vector<uint8_t> bytes;
    if (!LoadBytes(list, bytes)) {
        std::fprintf(stderr, "velmora-langgen: cannot read %s\n", list.c_str());
        return 1;
    }
    auto texts = ParseTextList(std::string(bytes.begin(), bytes.end()));
    if (!SaveBytesAtomically(out, BuildDefaultLanguageFile(texts))) {
        std::fprintf(stderr, "velmora-langgen: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("wrote %s: %zu texts\n", out.c_str(), texts.size());
    return 0;
}
