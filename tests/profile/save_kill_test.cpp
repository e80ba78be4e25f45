// Killing the process in the middle of saves never leaves a torn preferences file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "platform/platform.h"
#include "profile/prefs.h"
#include "support/temp_home.h"

namespace tessaran {
namespace {

class SaveKillTest : public test::TempHomeTest {};

TEST_F(SaveKillTest, EveryFileLeftBehindIsOneOfTheSavedStates) {
    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    PrefPath = home + "/kill.10W";
    ChangeDirectory(home);

    for (int round = 0; round < 40; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves as fast as it can, each state different from the last in many places.
            for (int32_t i = 1;; ++i) {
                Prefs.gamesPlayed = i;
                std::memset(Prefs.wonGames, i & 1, sizeof Prefs.wonGames);
                Prefs.Save();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        std::vector<uint8_t> bytes;
        if (!ReadWholeFile(PrefPath, bytes)) continue;  // killed before the first save finished
        ASSERT_EQ(bytes.size(), static_cast<size_t>(kPrefsSize)) << "round " << round;
        PrefsRecord expected;
        SetDefaults(expected);
        int32_t saved = 0;
        std::memcpy(&saved, bytes.data() + offsetof(PrefsRecord, gamesPlayed), 4);
        ASSERT_GE(saved, 1);
        expected.gamesPlayed = saved;
        std::memset(expected.wonGames, saved & 1, sizeof expected.wonGames);
        ASSERT_EQ(std::memcmp(bytes.data(), &expected, kPrefsSize), 0) << "torn file in round " << round;
    }
}

}  // namespace
}  // namespace tessaran
