#include <chrono>

using namespace std::string_literals;

#include "data/users.hpp"
#include "platform/filesys.hpp"
#include "scratch_dir.hpp"

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<int> v) { return std::vector<uint8_t>(v.begin(), v.end()); }

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> b;
    EXPECT_TRUE(LoadBytes(path, b)) << path;
    return b;
}

void ExpectSameUser(const TUser& a, const TUser& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.MusicVolume, b.MusicVolume);
    EXPECT_EQ(a.SFXVolume, b.SFXVolume);
    EXPECT_EQ(a.Score, b.Score);
    EXPECT_EQ(a.Selected_Background, b.Selected_Background);
    EXPECT_EQ(a.Selected_Music, b.Selected_Music);
    EXPECT_EQ(a.Selected_Puzzleset, b.Selected_Puzzleset);
    EXPECT_EQ(a.BackgroundAnimation, b.BackgroundAnimation);
    EXPECT_EQ(a.ProgressMap, b.ProgressMap);
    EXPECT_EQ(a.Wisdoms, b.Wisdoms);
    EXPECT_EQ(a.Tutorial, b.Tutorial);
    EXPECT_EQ(a.CurrLevelFile, b.CurrLevelFile);
    EXPECT_EQ(a.CurrentRank, b.CurrentRank);
    ASSERT_EQ(a.MaxLevel.size(), b.MaxLevel.size());
    for (size_t i = 0; i < a.MaxLevel.size(); ++i) {
        EXPECT_EQ(a.MaxLevel[i].Name, b.MaxLevel[i].Name);
        EXPECT_EQ(a.MaxLevel[i].Level, b.MaxLevel[i].Level);
    }
}
}  // namespace

TEST(Users, FirstRunWritesTheFiftyNineByteFile) {
    ScratchDir dir;
    TUsers users;
    users.FilePath = dir.File("users.cfg");
    CurrentUserIndex = 0;
    EXPECT_FALSE(users.Load());
    ASSERT_TRUE(users.CreateFirstUser("New Player"));
    std::vector<uint8_t> expected = Bytes({1, 0, 0, 0, 0, 0, 0, 0});
    for (char c : std::string("New Player")) expected.push_back(uint8_t(c));
    for (int b : {0x0D, 0x0A, 0x64, 0, 0, 0, 0x50, 0, 0, 0, 0, 0, 0, 0, 0x0D, 0x0A}) expected.push_back(uint8_t(b));
    expected.insert(expected.end(), 12, 0);
    for (int b : {1, 1, 1, 1, 0, 0, 0, 0, 0x45, 0x4E, 0x44, 0x0D, 0x0A}) expected.push_back(uint8_t(b));
    ASSERT_EQ(expected.size(), 59u);
    EXPECT_EQ(FileBytes(users.FilePath), expected);

    // A second start finds the player and writes nothing new.
    TUsers again;
    again.FilePath = users.FilePath;
    ASSERT_TRUE(again.Load());
    ASSERT_TRUE(again.CreateFirstUser("someone else"));
    ASSERT_EQ(again.UserList.size(), 1u);
    EXPECT_EQ(again.GetCurrentUser()->Name, "New Player");
    EXPECT_EQ(again.GetCurrentUser()->MusicVolume, 100);
    EXPECT_EQ(again.GetCurrentUser()->SFXVolume, 80);
}

TEST(Users, SaveAndLoadKeepEveryStoredField) {
    ScratchDir dir;
    TUsers users;
    users.FilePath = dir.File("users.cfg");
    ASSERT_TRUE(users.AddUser("Tenzin", 35, 0, 123456, 5, 2, 1, false, true, false, true, "data/Mine.lvl", 7, true));
    ASSERT_TRUE(users.AddUser("Dolma \xe4\xdf", -1, 101, -9, 0, 0, 0, true, false, true, false, "", 0, false));
    ASSERT_TRUE(users.AddNewUser("Pema"));
    CurrentUserIndex = 1;
    users.AddMaxData("Way of Arhat", 3);
    users.AddMaxData("Peace in Sakya", 10);
    users.AddMaxData("Way of Arhat", 3);  // duplicates stay, in order
    users.AddMaxData("Way of Arhat", 9);
    users.AddMaxDataTo("Tenzin", "", 2);
    ASSERT_TRUE(users.Save());

    CurrentUserIndex = 0;
    TUsers back;
    back.FilePath = users.FilePath;
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(CurrentUserIndex, 1);
    ASSERT_EQ(back.UserList.size(), 3u);
    for (size_t i = 0; i < 3; ++i) ExpectSameUser(*users.UserList[i], *back.UserList[i]);
    EXPECT_FALSE(back.UserList[0]->BonusGameTutorialAlreadyShowed);
    EXPECT_EQ(back.GetCurrentUser()->LatestMaxLevel("Way of Arhat")->Level, 9);
    EXPECT_EQ(back.GetCurrentUser()->LatestMaxLevel("Jewels of Dharma"), nullptr);
    EXPECT_EQ(back.Encode(), users.Encode());
}

TEST(Users, ListOperations) {
    TUsers users;
    EXPECT_EQ(users.GetCurrentUser()->Name, "Neuer Spieler");  // an empty list gets a fallback player
    users.RemoveAllUsers();
    ASSERT_TRUE(users.AddNewUser("A"));
    ASSERT_TRUE(users.AddNewUser("B"));
    EXPECT_FALSE(users.AddUser("A", 1, 1, 1, 1, 1, 1, false, false, false, false, "x", 1, true));
    EXPECT_EQ(users.FindUser("A")->MusicVolume, 100);
    EXPECT_EQ(users.FindUser("a"), nullptr);

    CurrentUserIndex = 5;  // past the end: the first player, and no progress goes anywhere
    EXPECT_EQ(users.GetCurrentUser()->Name, "A");
    users.AddMaxData("Set", 1);
    EXPECT_TRUE(users.UserList[0]->MaxLevel.empty());
    EXPECT_TRUE(users.UserList[1]->MaxLevel.empty());

    users.RemoveUserNo(2);
    users.RemoveUserNo(-1);
    EXPECT_EQ(users.UserList.size(), 2u);
    users.RemoveUser("nobody");
    users.RemoveUser("A");
    ASSERT_EQ(users.UserList.size(), 1u);
    EXPECT_EQ(users.UserList[0]->Name, "B");

    Users.RemoveAllUsers();
    Users.AddNewUser("Global");
    TUsers::AddMaxDataEx("Global", "Set", 4);
    TUsers::AddMaxDataEx("Missing", "Set", 5);
    EXPECT_EQ(Users.UserList[0]->MaxLevel.size(), 1u);
    Users.RemoveAllUsers();
}

// Texts that would break the line structure must not take the players after them down.
TEST(Users, UnstorableTextsDoNotCorruptTheFile) {
    TUsers users;
    users.AddNewUser("Line\r\nBreak\0"s);
    users.AddNewUser("After");
    CurrentUserIndex = 0;
    users.AddMaxData("END", 4);
    users.AddMaxData("Real", 5);
    users.UserList[1]->Score = 42;
    std::vector<uint8_t> bytes = users.Encode();
    TBankStream in(bytes.data(), bytes.size());
    TUsers back;
    back.Load(in);
    ASSERT_EQ(back.UserList.size(), 2u);
    EXPECT_EQ(back.UserList[0]->Name, "LineBreak");
    ASSERT_EQ(back.UserList[0]->MaxLevel.size(), 1u);
    EXPECT_EQ(back.UserList[0]->MaxLevel[0].Name, "Real");
    EXPECT_EQ(back.UserList[1]->Score, 42);
}

TEST(Users, InterruptedSaveKeepsThePreviousFile) {
    ScratchDir dir;
    TUsers users;
    users.FilePath = dir.File("users.cfg");
    users.AddNewUser("Keeper");
    ASSERT_TRUE(users.Save());
    std::vector<uint8_t> saved = FileBytes(users.FilePath);

    users.AddNewUser("Lost");
    for (int64_t cut : {0, 8, 30}) {
        testhooks::failSaveAfterBytes = cut;
        bool ok = users.Save();
        testhooks::failSaveAfterBytes = -1;
        EXPECT_FALSE(ok);
        EXPECT_EQ(FileBytes(users.FilePath), saved);
    }
    EXPECT_EQ(dir.Count(), 1u);
    TUsers back;
    ASSERT_TRUE(back.Load(users.FilePath));
    ASSERT_EQ(back.UserList.size(), 1u);
    EXPECT_EQ(back.UserList[0]->Name, "Keeper");
    EXPECT_FALSE(users.Save(dir.File("missing/users.cfg")));
}

TEST(Users, DamagedFilesLoadWhatIsThere) {
    const std::string broken = std::string(VELMORA_TEST_DATA) + "/broken/";
    TUsers users;
    auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(users.Load(broken + "users_huge_count.cfg"));
    EXPECT_TRUE(users.UserList.empty());
    EXPECT_LT(SecondsSince(t0), 0.5);

    ASSERT_TRUE(users.Load(broken + "users_negative_count.cfg"));
    EXPECT_TRUE(users.UserList.empty());

    // Fields missing at the end read as zero or empty; the count's other players never existed.
    ASSERT_TRUE(users.Load(broken + "users_cut_in_record.cfg"));
    ASSERT_EQ(users.UserList.size(), 1u);
    EXPECT_EQ(users.UserList[0]->Name, "Alice");
    EXPECT_EQ(users.UserList[0]->SFXVolume, 80);
    EXPECT_EQ(users.UserList[0]->CurrentRank, 0);
    EXPECT_FALSE(users.UserList[0]->Tutorial);

    ASSERT_TRUE(users.Load(broken + "users_cut_in_progress.cfg"));
    ASSERT_EQ(users.UserList.size(), 1u);
    const TUser& bob = *users.UserList[0];
    EXPECT_EQ(bob.Score, 1234);
    EXPECT_EQ(bob.CurrentRank, 2);
    EXPECT_TRUE(bob.BackgroundAnimation);
    EXPECT_FALSE(bob.ProgressMap);
    ASSERT_EQ(bob.MaxLevel.size(), 1u);  // the entry whose level is cut off is not invented
    EXPECT_EQ(bob.MaxLevel[0].Level, 12);

    // A repeated name adds no player; its progress joins the first of that name.
    ASSERT_TRUE(users.Load(broken + "users_duplicate_names.cfg"));
    ASSERT_EQ(users.UserList.size(), 1u);
    EXPECT_EQ(users.UserList[0]->MaxLevel.size(), 2u);
    EXPECT_EQ(CurrentUserIndex, 1);
    EXPECT_EQ(users.GetCurrentUser()->Name, "Same");

    users.AddNewUser("Untouched");
    EXPECT_FALSE(users.Load(broken + "no_such_file.cfg"));
    EXPECT_EQ(users.UserList.size(), 2u);
}

TEST(Users, AnyBrokenInputLoadsQuicklyAndSavesToAFixedPoint) {
    for (const std::string& path : DataFiles("broken")) {
        SCOPED_TRACE(path);
        auto t0 = std::chrono::steady_clock::now();
        TUsers users;
        ASSERT_TRUE(users.Load(path));
        std::vector<uint8_t> once = users.Encode();
        TBankStream in(once.data(), once.size());
        TUsers back;
        back.Load(in);
        EXPECT_EQ(back.Encode(), once);
        EXPECT_LT(SecondsSince(t0), 1.0);
    }
}

TEST(UserFolder, CreatesTheFolderWithItsParents) {
    ScratchDir dir;
    TFullAccess folder;
    folder.SetPath(dir.File("a/b/data/"));
    EXPECT_EQ(folder.GetPath(), dir.File("a/b/data/"));
    EXPECT_EQ(FileType(folder.GetPath()), FILETYPE_DIR);
    EXPECT_EQ(folder.GetSpecialFolder(3), "");
}

// Only tile sets 0 and 1 exist: any other value in a damaged file would leave the game without
// tile pictures, and every level would count as solved at once.
TEST(Users, ATileSetOutOfRangeReadsAsTheFirst) {
    ScratchDir dir;
    TUsers users;
    users.FilePath = dir.File("users.cfg");
    for (int32_t set : {5, -1, 2, 1})
        ASSERT_TRUE(
            users.AddUser("P" + std::to_string(set), 100, 80, 0, 0, 0, set, true, true, true, true, "", 0, false));
    ASSERT_TRUE(users.Save());
    TUsers read;
    read.FilePath = users.FilePath;
    ASSERT_TRUE(read.Load());
    ASSERT_EQ(read.UserList.size(), 4u);
    EXPECT_EQ(read.UserList[0]->Selected_Puzzleset, 0);
    EXPECT_EQ(read.UserList[1]->Selected_Puzzleset, 0);
    EXPECT_EQ(read.UserList[2]->Selected_Puzzleset, 0);
    EXPECT_EQ(read.UserList[3]->Selected_Puzzleset, 1);
}
