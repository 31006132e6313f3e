// Loads arbitrary bytes as a profile file, saves and loads again: every stored field must survive.
#include "data/users.hpp"
#include "fuzz_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TUsers first;
    TBankStream in(data, size);
    first.Load(in);
    int32_t index = CurrentUserIndex;

    std::vector<uint8_t> written = first.Encode();
    TUsers second;
    TBankStream again(written.data(), written.size());
    second.Load(again);

    FUZZ_CHECK(CurrentUserIndex == index);
    FUZZ_CHECK(first.UserList.size() == second.UserList.size());
    for (size_t i = 0; i < first.UserList.size(); ++i) {
        const TUser &a = *first.UserList[i], &b = *second.UserList[i];
        FUZZ_CHECK(a.Name == b.Name && a.CurrLevelFile == b.CurrLevelFile);
        FUZZ_CHECK(a.MusicVolume == b.MusicVolume && a.SFXVolume == b.SFXVolume && a.Score == b.Score);
        FUZZ_CHECK(a.Selected_Background == b.Selected_Background && a.Selected_Music == b.Selected_Music &&
                   a.Selected_Puzzleset == b.Selected_Puzzleset && a.CurrentRank == b.CurrentRank);
        FUZZ_CHECK(a.BackgroundAnimation == b.BackgroundAnimation && a.ProgressMap == b.ProgressMap &&
                   a.Wisdoms == b.Wisdoms && a.Tutorial == b.Tutorial);
        FUZZ_CHECK(a.MaxLevel.size() == b.MaxLevel.size());
        for (size_t k = 0; k < a.MaxLevel.size(); ++k)
            FUZZ_CHECK(a.MaxLevel[k].Name == b.MaxLevel[k].Name && a.MaxLevel[k].Level == b.MaxLevel[k].Level);
    }
    FUZZ_CHECK(second.Encode() == written);
    first.GetCurrentUser();
    return 0;
}
