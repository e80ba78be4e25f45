// A new player's first game, end to end through the built program and real X input only:
// main screen, Easy from the Difficulty menu, the help switched off in the preferences, a new
// puzzle solved with Shift-clicks, the summary, a name for the high score, Q; then the saved
// record, and the table again after a restart.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

constexpr const char* kPlayerName = "Ada Tester";

// The window's pixels, placed in percent as the game lays out its text and buttons, or in
// board units: square (c, r) is centred at (c, r); x -0.6..11.6667, y -0.6..8.6.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    int X(float percent) const { return static_cast<int>(percent * static_cast<float>(width) / 100.0f); }
    int Y(float percent) const { return static_cast<int>(percent * static_cast<float>(height) / 100.0f); }
    int BoardX(float x) const { return static_cast<int>((x + 0.6f) / 12.266667f * static_cast<float>(width)); }
    int BoardY(float y) const { return static_cast<int>((y + 0.6f) / 9.2f * static_cast<float>(height)); }
    const unsigned char* At(int x, int y) const {
        return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    }
    // Pixels in the rectangle (percent of the window) that pass `test`.
    template <typename Test>
    int Count(float x0, float y0, float x1, float y1, Test test) const {
        int n = 0;
        for (int y = Y(y0); y < Y(y1); ++y)
            for (int x = X(x0); x < X(x1); ++x) n += test(At(x, y)) ? 1 : 0;
        return n;
    }
};

// What the window shows once the pointer is parked in its corner (no cursor square on the board).
Picture Shoot(GameProcess& game, const Picture* parkIn = nullptr, int settleMs = 300) {
    if (parkIn) game.MoveTo(parkIn->X(99), parkIn->Y(99));
    Pause(settleMs);
    Picture p;
    p.rgb = game.Capture(&p.width, &p.height);
    return p;
}

void ClickAt(GameProcess& game, const Picture& w, float xPercent, float yPercent, int settleMs = 150) {
    game.Click(w.X(xPercent), w.Y(yPercent));
    Pause(settleMs);
}

// Which squares show a piece: much of the middle of such a square differs from the flat section
// colour seen just inside its corner, where a closed square is that colour all over.
std::string ShownSquares(const Picture& p) {
    std::string shown;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const float cx = static_cast<float>(c), cy = static_cast<float>(r);
            const unsigned char* corner = p.At(p.BoardX(cx - 0.42f), p.BoardY(cy - 0.42f));
            int differ = 0, total = 0;
            for (int y = p.BoardY(cy - 0.25f); y <= p.BoardY(cy + 0.25f); ++y)
                for (int x = p.BoardX(cx - 0.25f); x <= p.BoardX(cx + 0.25f); ++x, ++total) {
                    const unsigned char* px = p.At(x, y);
                    differ += std::abs(px[0] - corner[0]) + std::abs(px[1] - corner[1]) + std::abs(px[2] - corner[2]) > 60;
                }
            shown += differ * 4 > total ? '1' : '0';
        }
    return shown;
}

// The puzzle whose givens sit exactly on the shown squares.
const LibraryRecord* MatchPuzzle(const std::vector<LibraryRecord>& library, const std::string& shown) {
    for (const LibraryRecord& p : library) {
        std::string givens = p.givens;
        for (char& c : givens) c = c == '.' ? '0' : '1';
        if (givens == shown) return &p;
    }
    return nullptr;
}

// Opens square (c, r) with a click, then Shift-clicks the slot of `value` in its magnified
// square (slots in rows of three, 1-2-3 on top, 0.4 apart from the square's corner at -0.6).
void AssignByShiftClick(GameProcess& game, const Picture& w, int c, int r, int value) {
    game.Click(w.BoardX(static_cast<float>(c)), w.BoardY(static_cast<float>(r)));
    Pause(90);
    const int slot = value - 1;
    const float x = static_cast<float>(c) - 0.6f + 0.4f * static_cast<float>(slot % 3) + 0.195f;
    const float y = static_cast<float>(r) - 0.6f + 0.4f * static_cast<float>(slot / 3) + 0.195f;
    game.Click(w.BoardX(x), w.BoardY(y), "shift");
    Pause(90);
}

bool Red(const unsigned char* p) { return p[0] > 200 && p[1] < 70 && p[2] < 70; }
bool TableText(const unsigned char* p) { return p[1] > 100; }  // every rank's colour is green-ish or yellow
bool Magenta(const unsigned char* p) { return p[0] > 200 && p[1] < 120 && p[2] > 200; }

// Share of differing text pixels in the best row of the overall table (y 23..29 %, left of the logo).
double BestRowMismatch(const Picture& a, const Picture& b) {
    int differ = 0, set = 0;
    for (int y = a.Y(23); y < a.Y(29); ++y)
        for (int x = a.X(5); x < a.X(70); ++x) {
            differ += TableText(a.At(x, y)) != TableText(b.At(x, y));
            set += TableText(a.At(x, y)) || TableText(b.At(x, y));
        }
    return set ? static_cast<double>(differ) / set : 0.0;
}

TEST(FirstGameE2E, ANewPlayerWinsAnEasyPuzzleEntersANameAndFindsItAllAfterARestart) {
    const std::vector<LibraryRecord> library = ReadLibrary(30);
    ASSERT_EQ(library.size(), 1000u);

    GameProcess game;
    ASSERT_TRUE(game.Launch()) << game.Stderr();
    const Picture w = Shoot(game, nullptr, 500);
    ASSERT_GT(w.width, 0);
    EXPECT_GT(w.Count(20, 15, 55, 22, Red), 50) << "the main screen's red \"Highest Scores\" title";

    // Easy from the Difficulty menu: its title, then its second entry once the list has opened.
    ClickAt(game, w, 79, 34, 550);
    ClickAt(game, w, 78.5f, 43.5f, 550);
    // Game Preferences: no help before the game.
    ClickAt(game, w, 87.5f, 41, 450);
    ClickAt(game, w, 25, 57);  // "Show help at start of game"
    ClickAt(game, w, 37.5f, 84.5f, 450);  // "Finished"
    const Picture emptyTable = Shoot(game, &w);
    EXPECT_EQ(emptyTable.Count(37.5f, 84, 72, 89, Magenta), 0) << "no Easy game yet, so no error-free share";

    ClickAt(game, w, 84, 27, 950);  // "New Puzzle"
    const Picture board = Shoot(game, &w, 400);
    const LibraryRecord* match = MatchPuzzle(library, ShownSquares(board));
    ASSERT_NE(match, nullptr) << "shown squares " << ShownSquares(board);
    const LibraryRecord puzzle = *match;
    std::printf("playing Easy puzzle #%d\n", puzzle.index + 1);

    // Every open square gets its value. The last one wins the game, so before it is played every
    // other square is checked on screen and tried again if a click was lost to a slow frame.
    std::vector<size_t> open;
    for (size_t i = 0; i < 81; ++i)
        if (puzzle.givens[i] == '.') open.push_back(i);
    ASSERT_FALSE(open.empty());
    const size_t last = open.back();
    open.pop_back();
    for (int attempt = 0; attempt < 3 && !open.empty(); ++attempt) {
        for (size_t i : open) AssignByShiftClick(game, w, int(i % 9), int(i / 9), puzzle.solution[i] - '0');
        const std::string shown = ShownSquares(Shoot(game, &w, 400));
        std::erase_if(open, [&shown](size_t i) { return shown[i] == '1'; });
    }
    ASSERT_TRUE(open.empty()) << open.size() << " squares would not take their piece";
    AssignByShiftClick(game, w, int(last % 9), int(last / 9), puzzle.solution[last] - '0');

    // The summary: clicks skip its count-up until the name entry asks for a name (a click on
    // the entry's prompt does nothing there).
    Pause(500);
    Picture entry;
    for (int i = 0; i < 40 && entry.Count(5, 18, 70, 30, Red) <= 100; ++i) {  // "EXCELLENT SCORE!"
        ClickAt(game, w, 37.5f, 40);
        entry = Shoot(game, nullptr, 150);
    }
    ASSERT_GT(entry.Count(5, 18, 70, 30, Red), 100) << "no name entry after the summary";
    Pause(300);
    game.Type(kPlayerName);
    game.Key("Return");
    Pause(600);
    const Picture won = Shoot(game, &w);
    EXPECT_GT(won.Count(37.5f, 84, 72, 89, Magenta), 10) << "the Easy footer shows an error-free share now";
    game.Key("q");
    ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();

    const auto prefs = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(prefs.has_value()) << game.StoredPrefPath();
    EXPECT_EQ(prefs->difficulty, 1);
    EXPECT_EQ(prefs->showHelpAtStart, 0);
    EXPECT_EQ((std::vector<int>{prefs->gamesPlayed, prefs->levelGamesPlayed[1], prefs->levelErrorFreeWins[1]}),
              (std::vector<int>{1, 1, 1})) << "games played, Easy games played, Easy error-free wins";
    int wonFlags = 0;
    for (const auto& level : prefs->wonGames)
        for (uint8_t flag : level) wonFlags += flag;
    EXPECT_EQ(wonFlags, 1);
    EXPECT_EQ(prefs->wonGames[0][puzzle.index], 1);
    EXPECT_STREQ(prefs->hsName[1][0], kPlayerName) << "best Easy entry";
    EXPECT_GE(prefs->hsScore[1][0], 2000 + 100 * 40) << "completion bonus and forty right pieces";
    EXPECT_STREQ(prefs->hsName[1][1], "Nobody");
    EXPECT_STREQ(prefs->lastName, kPlayerName);

    // Again: the table shows the entry as it did after the name was entered.
    ASSERT_TRUE(game.Launch()) << game.Stderr();
    const Picture again = Shoot(game, &w, 700);
    EXPECT_LT(BestRowMismatch(again, won), 0.05) << "the best row is the same text";
    EXPECT_GT(BestRowMismatch(again, emptyTable), 0.3) << "and not the empty table's";
    EXPECT_GT(again.Count(37.5f, 84, 72, 89, Magenta), 10);
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
}

// The about screen's address button opens the installed manual through xdg-open; "OK" returns.
TEST(FirstGameE2E, TheAboutScreenOpensTheInstalledManual) {
    GameProcess game;
    // An installation's manual, beside the program's folder, and an xdg-open that only notes
    // what it was asked to open (the game's PATH holds only it and the shell that starts it).
    const std::string manual = game.Root() + "/share/doc/tessaran/README.md";
    ASSERT_EQ(std::system(("mkdir -p '" + game.Root() + "/share/doc/tessaran' '" + game.Root() + "/empty-path'").c_str()), 0);
    WriteBytes(manual, {'#', ' ', 'T', '\n'});
    const std::string opened = game.Root() + "/opened.txt";
    const std::string script = game.Root() + "/empty-path/xdg-open";
    const std::string body = "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n";
    WriteBytes(script, std::vector<unsigned char>(body.begin(), body.end()));
    ASSERT_EQ(std::system(("chmod +x '" + script + "' && ln -s /bin/sh '" + game.Root() + "/empty-path/sh'").c_str()), 0);

    ASSERT_TRUE(game.Launch()) << game.Stderr();
    const Picture w = Shoot(game, nullptr, 400);
    ASSERT_GT(w.width, 0);
    ClickAt(game, w, 91, 55, 450);  // "About Tessaran", right-aligned at 95 %
    ClickAt(game, w, 37, 85.6f);  // the address, centred on 37 % at 83 %
    for (int i = 0; i < 40 && ReadText(opened).empty(); ++i) Pause(100);
    EXPECT_EQ(ReadText(opened), manual);
    ClickAt(game, w, 37, 93.4f, 450);  // "OK"
    EXPECT_GT(Shoot(game).Count(20, 15, 55, 22, Red), 50) << "back on the main screen";
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
}

}  // namespace
}  // namespace tessaran::test
