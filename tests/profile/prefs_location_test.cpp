// Where the preferences file lives: the remembered path, its default and its repair.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "profile/prefs.h"
#include "profile/prefs_location.h"
#include "support/temp_home.h"

namespace tessaran {
namespace {

class PrefsLocationTest : public test::TempHomeTest {};

TEST_F(PrefsLocationTest, FirstRunStoresTheProgramFolderPathAndLaterRunsReuseIt) {
    ResolvePrefPath();
    std::string expected = JoinPath(ProgramFolder(), PrefsFileName);
    EXPECT_EQ(PrefPath, expected);
    EXPECT_EQ(ReadUserSetting(kSettingsKey, kSettingsValue), expected);
    EXPECT_TRUE(std::filesystem::exists(config + "/tessaran/registry.ini"));

    // A stored path is used as it is, even when no file is there yet.
    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kSettingsValue, home + "/elsewhere.10W"));
    ResolvePrefPath();
    EXPECT_EQ(PrefPath, home + "/elsewhere.10W");
}

TEST_F(PrefsLocationTest, MissingOrOverlongValuesAreReplacedByTheDefault) {
    ASSERT_TRUE(WriteUserSetting(kSettingsKey, "Other", "kept"));  // the key exists without the value
    ResolvePrefPath();
    EXPECT_EQ(PrefPath, JoinPath(ProgramFolder(), PrefsFileName));
    EXPECT_EQ(ReadUserSetting(kSettingsKey, "Other"), "kept");

    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kSettingsValue, std::string(kLongestPrefPath + 1, 'x')));
    ResolvePrefPath();
    EXPECT_EQ(PrefPath, JoinPath(ProgramFolder(), PrefsFileName));
}

TEST_F(PrefsLocationTest, AnUnwritableProgramFolderSendsTheFileToTheUserDataFolder) {
    ProgramFolderPath = home + "/not-there";  // cannot take a new file
    std::string path = DefaultPrefPath();
    EXPECT_EQ(path, data + "/tessaran/" + PrefsFileName);
    EXPECT_TRUE(std::filesystem::is_directory(data + "/tessaran"));
}

}  // namespace
}  // namespace tessaran
