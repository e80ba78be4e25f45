// Test fixture: a private home (HOME and XDG folders) in a fresh temporary folder, message
// boxes recorded instead of shown, and the preferences state reset around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaran::test {

struct RecordedBox {
    std::string caption, text;
};
std::vector<RecordedBox>& RecordedBoxes();

// Creates a unique temporary folder and returns its path.
std::string MakeTempFolder(const std::string& stem = "tessaran-test");
void RemoveTree(const std::string& path);
std::string ReadText(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

class TempHomeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string home;     // HOME
    std::string config;   // XDG_CONFIG_HOME
    std::string data;     // XDG_DATA_HOME
    std::string oldCwd;
};

}  // namespace tessaran::test
