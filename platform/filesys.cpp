#include "platform/filesys.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/stream.hpp"

namespace fs = std::filesystem;

namespace testhooks {
int64_t failSaveAfterBytes = -1;
}

static bool IsEmbedded(const std::string& path) { return path.rfind(kIncbinPrefix, 0) == 0; }

int FileType(const std::string& path) {
    if (path.empty() || IsEmbedded(path)) return FILETYPE_NONE;
    std::error_code ec;
    auto st = fs::status(path, ec);
    if (ec) return FILETYPE_NONE;
    if (fs::is_directory(st)) return FILETYPE_DIR;
    if (fs::exists(st)) return FILETYPE_FILE;
    return FILETYPE_NONE;
}

int64_t FileSize(const std::string& path) {
    if (FileType(path) != FILETYPE_FILE) return -1;
    std::error_code ec;
    auto n = fs::file_size(path, ec);
    return ec ? -1 : int64_t(n);
}

bool CreateDir(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return FileType(path) == FILETYPE_DIR;
}

bool DeleteFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(path, ec) && !ec;
}

bool RenameFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

std::vector<std::string> ReadDir(const std::string& path) {
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
        out.push_back(it->path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::string CurrentDir() {
    std::error_code ec;
    return fs::current_path(ec).string();
}
