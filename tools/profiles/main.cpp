// velmora-profiles FILE: reads a player-profile file back the way the game does and prints
// what it holds. Exits 1 when the file is missing, holds no player, or does not write back to
// the very same bytes (anything the game would lose or change on its next save).
#include <cstdio>
#include <vector>

#include "data/users.hpp"
#include "platform/stream.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-profiles FILE\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    if (!LoadBytes(argv[1], bytes)) {
        std::printf("profiles: cannot read %s\n", argv[1]);
        return 1;
    }
    TUsers users;
    if (!users.Load(argv[1])) {
        std::printf("profiles: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("profiles: %zu bytes, %zu players, current %d\n", bytes.size(), users.UserList.size(),
                int(CurrentUserIndex));
    for (const UserRef& u : users.UserList) {
        std::printf(
            "  \"%s\": score %d, rank %d, music %d, sfx %d, background %d, tiles %d, song %d, %zu progress "
            "entries\n",
            u->Name.c_str(), int(u->Score), int(u->CurrentRank), int(u->MusicVolume), int(u->SFXVolume),
            int(u->Selected_Background), int(u->Selected_Puzzleset), int(u->Selected_Music), u->MaxLevel.size());
    }
    if (users.UserList.empty()) {
        std::printf("profiles: no player\n");
        return 1;
    }
    if (users.Encode() != bytes) {
        std::printf("profiles: the file does not write back to the same bytes\n");
        return 1;
    }
    std::printf("profiles: intact\n");
    return 0;
}
