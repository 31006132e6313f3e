// velmora-gfxgen [--out DIR] [NAME...]: runs the named picture generators, or all of them.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

#include "artkit.hpp"

int main(int argc, char** argv) {
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            artkit::SetOutputRoot(argv[++i]);
        else
            only.push_back(argv[i]);
    }
    auto& reg = artkit::Registry();
    std::sort(reg.begin(), reg.end(), [](auto& a, auto& b) { return a.first < b.first; });
    try {
        for (auto& [name, gen] : reg)
            if (only.empty() || std::find(only.begin(), only.end(), name) != only.end()) gen();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-gfxgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
