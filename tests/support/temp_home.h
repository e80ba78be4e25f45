// Test fixture: a private home (HOME and XDG folders) in a fresh temporary folder, message
// boxes recorded instead of shown, and the preferences state reset around each test.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "profile/prefs.h"

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

// The record's bytes as the game writes them to its file.
std::vector<unsigned char> RecordBytes(const PrefsRecord& record);
// A saved preferences file as the game wrote it; nullopt unless it is exactly one whole record.
std::optional<PrefsRecord> ReadRecord(const std::string& path);

// Runs a command through the shell; returns its standard output, and in `status` (when given)
// its exit status, -1 if it did not exit by itself.
std::string RunCapture(const std::string& command, int* status = nullptr);

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
