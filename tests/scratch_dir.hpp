// A fresh folder per test under the system's temp folder, removed afterwards.
#pragma once

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

class ScratchDir {
public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("velmora_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    size_t Count() const {
        return size_t(std::distance(std::filesystem::directory_iterator(path_), std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

// Every regular file of a folder below tests/data, sorted, so a new case is just a new file.
inline std::vector<std::string> DataFiles(const std::string& folder) {
    std::vector<std::string> out;
    for (auto& e : std::filesystem::directory_iterator(std::string(VELMORA_TEST_DATA) + "/" + folder))
        if (e.is_regular_file()) out.push_back(e.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

inline double SecondsSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}
