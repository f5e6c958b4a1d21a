#pragma once
// A fresh, empty folder per test case under the temp folder, removed after it.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

namespace testing_support {

class ScratchDirectoryTest : public testing::Test {
protected:
    explicit ScratchDirectoryTest(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        directory = std::filesystem::temp_directory_path() /
                    (prefix_ + "-" + info->name() + "-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::filesystem::path directory;

private:
    std::string prefix_;
};

} // namespace testing_support
