// Reads arbitrary bytes as an INI file, looks things up, writes it and reads it back: the copy holds
// the same lines after the empty line 0 that writing adds.
#include "data/ini.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBankStream in(data, size);
    IniRef first = TIni::Read(in);
    FUZZ_CHECK(first && size_t(first->linecount) + 1 == first->line.size());

    TBankStream out;
    first->Write(out);
    TBankStream back(out.Bytes().data(), out.Bytes().size());
    IniRef second = TIni::Read(back);
    FUZZ_CHECK(second->linecount == first->linecount + 1);
    for (int32_t i = 0; i <= first->linecount; ++i) FUZZ_CHECK(second->line[size_t(i) + 1] == first->line[size_t(i)]);

    // Lookups with names taken from the data itself.
    for (int32_t i = 1; i <= first->linecount && i < 8; ++i) {
        const std::string& l = first->line[size_t(i)];
        int32_t seek = first->GetSeek(l);
        first->GetGroup(seek - 1);
        std::string key = TIni::KeywordOf(l);
        std::string value = first->GetValue(seek, key, "");
        if (first->SetValue(seek, key, value + "x")) FUZZ_CHECK(first->GetValue(seek, key, "") == value + "x");
        first->SetGroup(l);
    }
    return 0;
}
