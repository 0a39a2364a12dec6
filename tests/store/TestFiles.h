// Shared by the store tests: a fresh temporary profile directory for every test, and raw file
// reads, writes and listings.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace store_test {

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// The names in a directory, sorted (to see that no temporary file is left).
std::string Listing(const std::filesystem::path& directory);

// Every test runs in a fresh temporary directory of its own, with
// XDG_CONFIG_HOME and HOME pointing into it, so bare file names land there.
// Set up in the constructor, so that members of derived fixtures already see it.
class StoreTest : public ::testing::Test {
protected:
    StoreTest();
    ~StoreTest() override;

    std::filesystem::path root_;     // the test's temporary directory
    std::filesystem::path profile_;  // root_/config/tallyho

private:
    std::string savedConfig_, savedHome_;
    bool hadConfig_ = false, hadHome_ = false;
};

}  // namespace store_test
