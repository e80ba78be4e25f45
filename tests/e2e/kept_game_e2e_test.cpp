// The unfinished game through the real window: a move and marks, one undone, the process
// killed, the game resumed and played on, the window closed, resumed again and ended with Q and
// Yes. The kept file is read with tessaran-cli game-dump at each step, the record at the end.
#include <gtest/gtest.h>

#include <signal.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

constexpr int32_t kFixedGameNumber = 777;

std::map<std::string, std::string> Dump(const std::string& path) {
    std::map<std::string, std::string> lines;
    std::istringstream in(RunCapture(TESSARAN_BINARY_DIR "/tessaran-cli game-dump '" + path + "' 2>&1"));
    for (std::string line; std::getline(in, line);) {
        const std::size_t space = line.find(' ');
        if (line.starts_with("open "))
            lines[line.substr(0, line.rfind(' '))] = line.substr(line.rfind(' ') + 1);
        else if (space != std::string::npos)
            lines[line.substr(0, space)] = line.substr(space + 1);
    }
    return lines;
}

// Keys that walk the cursor from the top-left square to (row, column).
std::string WalkTo(int row, int column) {
    std::string keys;
    for (int i = 0; i < 9; ++i) keys += "Left Up ";
    for (int i = 0; i < column; ++i) keys += "Right ";
    for (int i = 0; i < row; ++i) keys += "Down ";
    return keys;
}

TEST(KeptGameE2E, KilledClosedAndResumedTheGameGoesOnAndCountsOnce) {
    const int index = DealtIndex(kFixedGameNumber);
    const std::vector<LibraryRecord> library = ReadLibrary(30);
    ASSERT_EQ(library.size(), 1000u);
    const LibraryRecord& puzzle = library[static_cast<std::size_t>(index)];
    std::vector<int> hidden;
    for (int at = 0; at < 81; ++at)
        if (puzzle.givens[static_cast<std::size_t>(at)] == '.') hidden.push_back(at);
    const int placed = hidden[0], marked = hidden[1];
    std::string known = puzzle.givens;
    known[static_cast<std::size_t>(placed)] = puzzle.solution[static_cast<std::size_t>(placed)];
    const std::string markedSquare = "open " + std::to_string(marked / 9 + 1) + " " + std::to_string(marked % 9 + 1);

    GameProcess game;
    ASSERT_TRUE(StartQuickGame(game, kFixedGameNumber)) << game.Stderr();
    const std::string kept = FolderOf(game.StoredPrefPath()) + "/Tessaran Unfinished Game.ini";

    // A right piece, two marks, the second taken back.
    game.Key(WalkTo(placed / 9, placed % 9) + std::string("shift+") + puzzle.solution[static_cast<std::size_t>(placed)]);
    game.Key(WalkTo(marked / 9, marked % 9) + "3 5 ctrl+z");
    Pause(500);
    auto dump = Dump(kept);
    EXPECT_EQ(dump["level"], "1");
    EXPECT_EQ(dump["game"], std::to_string(index + 1));
    EXPECT_EQ(dump["score"], "100");
    EXPECT_EQ(dump["mistakes"], "0");
    EXPECT_EQ(dump["givens"], puzzle.givens);
    EXPECT_EQ(dump["known"], known);
    EXPECT_EQ(dump[markedSquare], "3");

    // Killed without warning: the same game waits, and resumes where it was.
    game.Kill(SIGKILL);
    game.WaitExit();
    EXPECT_EQ(Dump(kept)[markedSquare], "3");
    ASSERT_TRUE(game.Launch()) << game.Stderr();
    Pause(700);
    game.Key("r");
    Pause(500);
    game.Key(WalkTo(marked / 9, marked % 9) + "7 ctrl+z ctrl+y");
    Pause(500);
    dump = Dump(kept);
    EXPECT_EQ(dump[markedSquare], "37");
    EXPECT_EQ(dump["score"], "100");

    // The window closed: kept without a question.
    game.RequestClose();
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    EXPECT_EQ(Dump(kept)[markedSquare], "37");

    // Resumed, then Q and Yes end the game and the program: the score is recorded once (its
    // name asked first), the game counted once, the file gone.
    ASSERT_TRUE(game.Launch()) << game.Stderr();
    Pause(700);  // keys before the first frame find no main screen yet
    game.Key("r");
    Pause(500);
    game.Key("q");
    Pause(300);
    game.Key("y");
    Pause(500);
    game.Key("Return");  // the name for the overall table, then the program ends
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    EXPECT_FALSE(FileExists(kept));
    const auto saved = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->gamesPlayed, 1);
    EXPECT_EQ(saved->levelGamesPlayed[1], 1);
    EXPECT_EQ(saved->hsScore[1][0], 100);
}

}  // namespace
}  // namespace tessaran::test
