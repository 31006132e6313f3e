#include "data/users.hpp"

#include <cstdio>

#include "data/fieldio.hpp"
#include "platform/filesys.hpp"

int32_t CurrentUserIndex = 0;
TUsers Users;

// Progress lines end at "END", so an entry of that name cannot be stored without cutting its
// player's record short and misreading everything after it.
static constexpr const char* kEndLine = "END";

const TMaxLevel* TUser::LatestMaxLevel(const std::string& setName) const {
    for (auto it = MaxLevel.rbegin(); it != MaxLevel.rend(); ++it)
        if (it->Name == setName) return &*it;
    return nullptr;
}

void TUsers::RemoveUser(const std::string& name) {
    for (auto it = UserList.begin(); it != UserList.end(); ++it)
        if ((*it)->Name == name) {
            UserList.erase(it);
            return;
        }
}

void TUsers::RemoveUserNo(int32_t n) {
    if (n >= 0 && size_t(n) < UserList.size()) UserList.erase(UserList.begin() + n);
}

UserRef TUsers::GetCurrentUser() {
    if (UserList.empty()) AddNewUser(kFallbackUserName);
    if (CurrentUserIndex >= 0 && size_t(CurrentUserIndex) < UserList.size()) return UserList[size_t(CurrentUserIndex)];
    return UserList.front();
}

void TUsers::RemoveAllUsers() { UserList.clear(); }

UserRef TUsers::FindUser(const std::string& name) const {
    for (const UserRef& u : UserList)
        if (u->Name == name) return u;
    return nullptr;
}

bool TUsers::AddUser(const std::string& Name, int32_t MusicVolume, int32_t SFXVolume, int32_t Score,
                     int32_t Selected_Background, int32_t Selected_Music, int32_t Selected_Puzzleset,
                     bool BackgroundAnimation, bool ProgressMap, bool Wisdoms, bool Tutorial,
                     const std::string& CurrLevelFile, int32_t CurrentRank, bool BonusGameTutorialAlreadyShowed) {
    if (FindUser(Name)) return false;
    auto u = std::make_shared<TUser>();
    u->Name = Name;
    u->MusicVolume = MusicVolume;
    u->SFXVolume = SFXVolume;
    u->Score = Score;
    u->Selected_Background = Selected_Background;
    u->Selected_Music = Selected_Music;
    u->Selected_Puzzleset = Selected_Puzzleset;
    u->BackgroundAnimation = BackgroundAnimation;
    u->ProgressMap = ProgressMap;
    u->Wisdoms = Wisdoms;
    u->Tutorial = Tutorial;
    u->CurrLevelFile = CurrLevelFile;
    u->CurrentRank = CurrentRank;
    u->BonusGameTutorialAlreadyShowed = BonusGameTutorialAlreadyShowed;
    UserList.push_back(std::move(u));
    return true;
}

bool TUsers::AddNewUser(const std::string& name) {
    return AddUser(name, 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
}

bool TUsers::CreateFirstUser(const std::string& name) {
    if (!UserList.empty()) return true;
    AddNewUser(name);
    return Save();
}

void TUsers::AddMaxData(const std::string& name, int32_t level) {
    if (CurrentUserIndex < 0 || size_t(CurrentUserIndex) >= UserList.size()) return;
    UserList[size_t(CurrentUserIndex)]->MaxLevel.push_back({name, level});
}

void TUsers::AddMaxDataEx(const std::string& userName, const std::string& name, int32_t level) {
    Users.AddMaxDataTo(userName, name, level);
}

void TUsers::AddMaxDataTo(const std::string& userName, const std::string& name, int32_t level) {
    if (UserRef u = FindUser(userName)) u->MaxLevel.push_back({name, level});
}

void TUsers::Save(TStream& stream) const {
    FieldWriter out{stream};
    stream.WriteInt(int32_t(UserList.size()));
    stream.WriteInt(CurrentUserIndex);
    for (const UserRef& u : UserList) {
        TUser::WalkRecord(out, *u);
        for (const TMaxLevel& m : u->MaxLevel) {
            if (m.Name == kEndLine) continue;
            out.Line(m.Name);
            stream.WriteInt(m.Level);
        }
        stream.WriteLine(kEndLine);
    }
}

std::vector<uint8_t> TUsers::Encode() const {
    TBankStream stream;
    Save(stream);
    return stream.Bytes();
}

bool TUsers::Save(const std::string& path) { return SaveBytesAtomically(path, Encode()); }
bool TUsers::Save() { return Save(FilePath); }

void TUsers::Load(TStream& stream) {
    RemoveAllUsers();
    FieldReader in{stream};
    int32_t count = stream.ReadInt();
    CurrentUserIndex = stream.ReadInt();
    // The count is only an upper bound: a record never starts past the last byte.
    for (int32_t i = 0; i < count && !stream.Eof(); ++i) {
        TUser u;
        TUser::WalkRecord(in, u);
        AddUser(u.Name, u.MusicVolume, u.SFXVolume, u.Score, u.Selected_Background, u.Selected_Music,
                u.Selected_Puzzleset, u.BackgroundAnimation, u.ProgressMap, u.Wisdoms, u.Tutorial, u.CurrLevelFile,
                u.CurrentRank, false);
        while (!stream.Eof()) {
            std::string line = stream.ReadLine();
            if (line == kEndLine) break;
            // An entry whose level was cut off by the end of the file is not invented.
            if (stream.Size() - stream.Pos() < 4) {
                stream.Seek(stream.Size());
                break;
            }
            AddMaxDataTo(u.Name, line, stream.ReadInt());
        }
    }
}

bool TUsers::Load(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!LoadBytes(path, bytes)) return false;
    TBankStream stream(bytes.data(), bytes.size());
    Load(stream);
    return true;
}

bool TUsers::Load() { return Load(FilePath); }

TFullAccess TFullAccess::Create(const std::string&, const std::string&) {
    TFullAccess folder;
    folder.SetPath(CurrentDir() + "/data/");
    return folder;
}

void TFullAccess::SetPath(const std::string& path) {
    Path = path;
    if (FileType(path) == FILETYPE_NONE) {
        std::printf("Creating New Folder: %s\n", path.c_str());
        if (!CreateDir(path)) std::printf("Could not create folder: %s\n", path.c_str());
    } else {
        std::printf("Folder already exists: %s\n", path.c_str());
    }
}

std::unique_ptr<TFullAccess> UserFolder;
