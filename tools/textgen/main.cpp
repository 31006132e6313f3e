// velmora-textgen [--out FILE] [SOURCE]: writes assets/data/wisdoms.ini from wisdoms.txt.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

#include "wisdoms.hpp"

int main(int argc, char** argv) {
    std::string source = std::string(TEXTGEN_SOURCE) + "/wisdoms.txt";
    std::string out = std::string(TEXTGEN_ASSETS) + "/data/wisdoms.ini";
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            out = argv[++i];
        else
            source = argv[i];
    }
    try {
        std::ifstream in(source, std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + source);
        std::stringstream text;
        text << in.rdbuf();
        const std::string ini = textgen::BuildWisdomIni(text.str());
        std::ofstream f(out, std::ios::binary | std::ios::trunc);
        f << ini;
        f.close();
        if (!f) throw std::runtime_error("cannot write " + out);
        std::printf("%s: %zu bytes\n", out.c_str(), ini.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-textgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
