// Player profiles: every player's settings, score, rank and progress, kept in one binary file
// ("users.cfg" in the user-data folder) together with the index of the current player.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.hpp"

inline constexpr const char* kUsersFileName = "users.cfg";
// Name given when a profile is needed and none exists at all.
inline constexpr const char* kFallbackUserName = "Neuer Spieler";

// Furthest level reached in one level set.
class TMaxLevel {
public:
    std::string Name;
    int32_t Level = 0;
};

class TUser {
public:
    std::string Name;
    int32_t MusicVolume = 100;
    int32_t SFXVolume = 80;
    // Only ever appended to; the last entry of a set is the current progress.
    std::vector<TMaxLevel> MaxLevel;
    int32_t Score = 0;
    int32_t Selected_Background = 0;
    int32_t Selected_Music = 0;
    int32_t Selected_Puzzleset = 0;
    bool BackgroundAnimation = true;
    bool ProgressMap = true;
    bool Wisdoms = true;
    bool Tutorial = true;
    bool BonusGameTutorialAlreadyShowed = false;  // never stored: offered again every run
    std::string CurrLevelFile;
    int32_t CurrentRank = 0;

    // The last progress entry for the set, or null.
    const TMaxLevel* LatestMaxLevel(const std::string& setName) const;

    // The player's fixed fields in file order (progress entries follow separately).
    template <class IO, class U>
    static void WalkRecord(IO& io, U& u) {
        io.Line(u.Name);
        io.Int(u.MusicVolume);
        io.Int(u.SFXVolume);
        io.Int(u.CurrentRank);
        io.Line(u.CurrLevelFile);
        io.Int(u.Selected_Background);
        io.Int(u.Selected_Music);
        io.Int(u.Selected_Puzzleset);
        io.Flag(u.BackgroundAnimation);
        io.Flag(u.ProgressMap);
        io.Flag(u.Wisdoms);
        io.Flag(u.Tutorial);
        io.Int(u.Score);
    }
};
using UserRef = std::shared_ptr<TUser>;

// 0-based position of the current player in Users.UserList; stored in the profile file.
extern int32_t CurrentUserIndex;

class TUsers {
public:
    std::vector<UserRef> UserList;
    // Where Load and Save without a path go: the user-data folder followed by "users.cfg".
    std::string FilePath = std::string("data/") + kUsersFileName;

    void RemoveUser(const std::string& name);
    void RemoveUserNo(int32_t n);
    // The player at CurrentUserIndex, else the first; an empty list first gets a fallback player.
    UserRef GetCurrentUser();
    void RemoveAllUsers();
    // False, and nothing changes, when the name is taken.
    bool AddUser(const std::string& Name, int32_t MusicVolume, int32_t SFXVolume, int32_t Score,
                 int32_t Selected_Background, int32_t Selected_Music, int32_t Selected_Puzzleset,
                 bool BackgroundAnimation, bool ProgressMap, bool Wisdoms, bool Tutorial,
                 const std::string& CurrLevelFile, int32_t CurrentRank, bool BonusGameTutorialAlreadyShowed);
    // AddUser with the values every new player starts with.
    bool AddNewUser(const std::string& name);
    // First run: when the list is empty, adds a new player of that name and saves the file.
    // False only when the file could not be written.
    bool CreateFirstUser(const std::string& name);
    // Appends progress to the current player (nothing when there is none).
    void AddMaxData(const std::string& name, int32_t level);
    // Appends progress to the first player called userName in the global Users.
    static void AddMaxDataEx(const std::string& userName, const std::string& name, int32_t level);
    // The same on this list.
    void AddMaxDataTo(const std::string& userName, const std::string& name, int32_t level);
    UserRef FindUser(const std::string& name) const;

    // The whole list replaces the file in one step; on failure the old file stays whole.
    bool Save();
    bool Save(const std::string& path);
    void Save(TStream& stream) const;
    std::vector<uint8_t> Encode() const;
    // False, with the list untouched, when the file cannot be opened. Counts in the file are not
    // trusted: reading stops where the bytes end.
    bool Load();
    bool Load(const std::string& path);
    void Load(TStream& stream);
};

extern TUsers Users;

// The user-data folder: the working directory followed by "/data/".
class TFullAccess {
public:
    std::string Path;

    // The maker and product names do not enter the path on Linux.
    static TFullAccess Create(const std::string& maker, const std::string& product);
    // Stores the path and creates the folder (with its parents) when it is missing.
    void SetPath(const std::string& path);
    const std::string& GetPath() const { return Path; }
    std::string GetSpecialFolder(int) const { return ""; }
};

// The user-data folder: the working directory followed by "/data/".
extern std::unique_ptr<TFullAccess> UserFolder;
