// Reads arbitrary bytes as a language file, writes what it read and reads that again: the
// second reading holds the same languages, entries and order, and writing it gives the same bytes.
#include <cstdio>

#include "data/language.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool quiet = [] { return std::freopen("/dev/null", "w", stdout) != nullptr; }();
    (void)quiet;
    TBankStream in(data, size);
    TLanguage first;
    first.ReadFrom(in);
    TBankStream out;
    first.WriteTo(out);

    TBankStream back(out.Bytes().data(), out.Bytes().size());
    TLanguage second;
    second.ReadFrom(back);
    FUZZ_CHECK(second.GetLanguages() == first.GetLanguages());
    for (size_t i = 0; i < first.languages.size(); ++i) FUZZ_CHECK(second.languages[i]->lan == first.languages[i]->lan);
    TBankStream again;
    second.WriteTo(again);
    FUZZ_CHECK(again.Bytes() == out.Bytes());
    first.GetString("Get ready!", {"a"});
    return 0;
}
