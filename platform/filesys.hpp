// File-system queries with the game's conventions: embedded paths have no size and no type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum FileKind { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };

int FileType(const std::string& path);
// -1 when the file does not exist on disk (always for "incbin::" paths).
int64_t FileSize(const std::string& path);
bool CreateDir(const std::string& path);
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// Names in the folder (no "." or ".."), sorted.
std::vector<std::string> ReadDir(const std::string& path);
std::string CurrentDir();

namespace testhooks {
// When >= 0, atomic saves fail after writing this many bytes of the temporary file,
// as a full disk would. Tests use it to prove the old file survives.
extern int64_t failSaveAfterBytes;
}  // namespace testhooks
