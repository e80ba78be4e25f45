// A new player's first game, end to end through the built program and real X input only:
// main screen, Easy from the Difficulty menu, the help switched off in the preferences, a new
// puzzle solved with Shift-clicks, the summary, a name for the high score, Q; then the saved
// record, and the table again after a restart.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <glib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

constexpr const char* kPlayerName = "Ada Tester";

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A connection held for the whole test: the X server resets when its last client leaves, and a
// game started during that reset cannot open its window.
class DisplayHold {
public:
    DisplayHold() {
        for (int i = 0; i < 50 && !display_; ++i) {
            display_ = XOpenDisplay(nullptr);
            if (!display_) Pause(100);
        }
    }
    ~DisplayHold() {
        if (display_) XCloseDisplay(display_);
    }
    bool Ready() const { return display_ != nullptr; }

private:
    Display* display_ = nullptr;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const {
        return &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    }
    // Pixels in the rectangle (percent of the window) that pass `test`.
    template <typename Test>
    int Count(float x0, float y0, float x1, float y1, Test test) const {
        int n = 0;
        const auto across = [this](float percent) { return static_cast<int>(percent * static_cast<float>(width) / 100); };
        const auto down = [this](float percent) { return static_cast<int>(percent * static_cast<float>(height) / 100); };
        for (int y = down(y0); y < down(y1); ++y)
            for (int x = across(x0); x < across(x1); ++x)
                if (test(At(x, y))) ++n;
        return n;
    }
};

Picture Shoot(GameProcess& game, const std::string& name) {
    Picture p;
    const std::string path = game.Root() + "/" + name + ".png";
    if (!game.Screenshot(path)) return p;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &p.width, &p.height, &channels, 3);
    if (!data) return p;
    p.rgb.assign(data, data + static_cast<size_t>(p.width) * p.height * 3);
    stbi_image_free(data);
    return p;
}

// The window in percent, as the game lays out its text and buttons.
struct Window {
    int width, height;
    int X(float percent) const { return static_cast<int>(percent * static_cast<float>(width) / 100.0f); }
    int Y(float percent) const { return static_cast<int>(percent * static_cast<float>(height) / 100.0f); }
    // Board units: square (c, r) is centred at (c, r); x -0.6..11.6667, y -0.6..8.6.
    int BoardX(float x) const { return static_cast<int>((x + 0.6f) / 12.266667f * static_cast<float>(width)); }
    int BoardY(float y) const { return static_cast<int>((y + 0.6f) / 9.2f * static_cast<float>(height)); }
};

void ClickAt(GameProcess& game, const Window& w, float xPercent, float yPercent) {
    game.Click(w.X(xPercent), w.Y(yPercent));
    Pause(150);
}

// Which squares show a piece: much of the middle of such a square differs from the flat section
// colour seen just inside its corner, where a closed square is that colour all over.
std::string ShownSquares(const Picture& p, const Window& w) {
    std::string shown;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const float cx = static_cast<float>(c), cy = static_cast<float>(r);
            const unsigned char* corner = p.At(w.BoardX(cx - 0.42f), w.BoardY(cy - 0.42f));
            int differ = 0, total = 0;
            for (int y = w.BoardY(cy - 0.25f); y <= w.BoardY(cy + 0.25f); ++y)
                for (int x = w.BoardX(cx - 0.25f); x <= w.BoardX(cx + 0.25f); ++x) {
                    const unsigned char* px = p.At(x, y);
                    const int d = std::abs(px[0] - corner[0]) + std::abs(px[1] - corner[1]) + std::abs(px[2] - corner[2]);
                    if (d > 60) ++differ;
                    ++total;
                }
            shown += differ * 4 > total ? '1' : '0';
        }
    return shown;
}

struct LibraryPuzzle {
    int index = -1;
    std::string givens, solution;  // row by row, '.' = not given
};

std::vector<LibraryPuzzle> EasyLibrary() {
    std::vector<LibraryPuzzle> all;
    std::istringstream in(RunCapture(std::string(TESSARAN_BINARY_DIR) + "/tessaran-cli library 30"));
    LibraryPuzzle p;
    int rating;
    while (in >> p.index >> rating >> p.givens >> p.solution) all.push_back(p);
    return all;
}

// The puzzle whose givens sit exactly on the shown squares (the fewest differences if none does).
LibraryPuzzle MatchPuzzle(const std::vector<LibraryPuzzle>& library, const std::string& shown, int& differences) {
    LibraryPuzzle best;
    differences = 82;
    for (const LibraryPuzzle& p : library) {
        int d = 0;
        for (int i = 0; i < 81; ++i) d += (p.givens[static_cast<size_t>(i)] != '.') != (shown[static_cast<size_t>(i)] == '1');
        if (d < differences) {
            differences = d;
            best = p;
        }
    }
    return best;
}

// Opens square (c, r) with a click, then Shift-clicks the slot of `value` in its magnified
// square (slots in rows of three, 1-2-3 on top, 0.4 apart from the square's corner at -0.6).
void AssignByShiftClick(GameProcess& game, const Window& w, int c, int r, int value) {
    game.Click(w.BoardX(static_cast<float>(c)), w.BoardY(static_cast<float>(r)));
    Pause(90);
    const int slot = value - 1;
    const float x = static_cast<float>(c) - 0.6f + 0.4f * static_cast<float>(slot % 3) + 0.195f;
    const float y = static_cast<float>(r) - 0.6f + 0.4f * static_cast<float>(slot / 3) + 0.195f;
    game.Click(w.BoardX(x), w.BoardY(y), "shift");
    Pause(90);
}

// Fields of `tessaran-cli prefs-dump`: name, then numbers or quoted texts.
std::map<std::string, std::vector<std::string>> DumpPrefs(const std::string& path) {
    std::map<std::string, std::vector<std::string>> fields;
    std::istringstream in(RunCapture(std::string(TESSARAN_BINARY_DIR) + "/tessaran-cli prefs-dump '" + path + "'"));
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        std::vector<std::string>& values = fields[line.substr(0, space)];
        for (size_t i = space + 1; i < line.size();) {
            if (line[i] == ' ') {
                ++i;
            } else if (line[i] == '"') {
                const size_t end = line.find('"', i + 1);
                values.push_back(line.substr(i + 1, end - i - 1));
                i = end == std::string::npos ? line.size() : end + 1;
            } else {
                const size_t end = std::min(line.find(' ', i), line.size());
                values.push_back(line.substr(i, end - i));
                i = end;
            }
        }
    }
    return fields;
}


bool Red(const unsigned char* p) { return p[0] > 200 && p[1] < 70 && p[2] < 70; }
bool TableText(const unsigned char* p) { return p[1] > 100; }  // every rank's colour is green-ish or yellow
bool Magenta(const unsigned char* p) { return p[0] > 200 && p[1] < 120 && p[2] > 200; }

// The text pixels of the best row of the overall table (y 23..29 %, left of the logo strip).
std::vector<bool> BestRow(const Picture& p) {
    std::vector<bool> mask;
    for (int y = p.height * 23 / 100; y < p.height * 29 / 100; ++y)
        for (int x = p.width * 5 / 100; x < p.width * 70 / 100; ++x) mask.push_back(TableText(p.At(x, y)));
    return mask;
}

double Mismatch(const std::vector<bool>& a, const std::vector<bool>& b) {
    int differ = 0, set = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        differ += a[i] != b[i];
        set += a[i] || b[i];
    }
    return set ? static_cast<double>(differ) / set : 0.0;
}

TEST(FirstGameE2E, ANewPlayerWinsAnEasyPuzzleEntersANameAndFindsItAllAfterARestart) {
    const DisplayHold hold;
    ASSERT_TRUE(hold.Ready());
    const std::vector<LibraryPuzzle> library = EasyLibrary();
    ASSERT_EQ(library.size(), 1000u);

    GameProcess game;
    game.Start();
    ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
    Pause(500);
    Picture first = Shoot(game, "1-main");
    ASSERT_GT(first.width, 0);
    const Window w{first.width, first.height};
    EXPECT_GT(first.Count(20, 15, 55, 22, Red), 50) << "the main screen's red \"Highest Scores\" title";

    // Easy from the Difficulty menu: its title, then its second entry once the list has opened.
    ClickAt(game, w, 79, 34);
    Pause(400);
    ClickAt(game, w, 78.5f, 43.5f);
    Pause(400);
    // Game Preferences: no help before the game.
    ClickAt(game, w, 87.5f, 41);
    Pause(300);
    ClickAt(game, w, 25, 57);  // "Show help at start of game"
    ClickAt(game, w, 37.5f, 84.5f);  // "Finished"
    Pause(300);
    game.MoveTo(w.X(99), w.Y(99));
    Pause(300);
    const Picture emptyTable = Shoot(game, "2-easy-table");
    EXPECT_EQ(emptyTable.Count(37.5f, 84, 72, 89, Magenta), 0) << "no Easy game yet, so no error-free share";

    ClickAt(game, w, 84, 27);  // "New Puzzle"
    Pause(800);
    game.MoveTo(w.X(99), w.Y(99));  // no cursor square over the board
    Pause(400);
    const Picture board = Shoot(game, "3-board");
    int differences = 0;
    const LibraryPuzzle puzzle = MatchPuzzle(library, ShownSquares(board, w), differences);
    ASSERT_EQ(differences, 0) << "shown squares " << ShownSquares(board, w);
    std::printf("playing Easy puzzle #%d\n", puzzle.index + 1);

    // Every open square gets its value. The last one wins the game, so before it is played every
    // other square is checked on screen and tried again if a click was lost to a slow frame.
    std::vector<int> open;
    for (int i = 0; i < 81; ++i)
        if (puzzle.givens[static_cast<size_t>(i)] == '.') open.push_back(i);
    ASSERT_FALSE(open.empty());
    const int last = open.back();
    open.pop_back();
    for (int attempt = 0; attempt < 3 && !open.empty(); ++attempt) {
        for (int i : open) AssignByShiftClick(game, w, i % 9, i / 9, puzzle.solution[static_cast<size_t>(i)] - '0');
        game.MoveTo(w.X(99), w.Y(99));
        Pause(400);
        const std::string shown = ShownSquares(Shoot(game, "progress"), w);
        std::vector<int> missing;
        for (int i : open)
            if (shown[static_cast<size_t>(i)] != '1') missing.push_back(i);
        open = missing;
    }
    ASSERT_TRUE(open.empty()) << open.size() << " squares would not take their piece";
    AssignByShiftClick(game, w, last % 9, last / 9, puzzle.solution[static_cast<size_t>(last)] - '0');

    // The summary: clicks skip its count-up until the name entry asks for a name (a click on
    // the entry's prompt does nothing there).
    Pause(500);
    Shoot(game, "4-summary");
    Picture entry;
    for (int i = 0; i < 40; ++i) {
        ClickAt(game, w, 37.5f, 40);
        Pause(150);
        entry = Shoot(game, "5-name-entry");
        if (entry.Count(5, 18, 70, 30, Red) > 100) break;  // "EXCELLENT SCORE!"
    }
    ASSERT_GT(entry.Count(5, 18, 70, 30, Red), 100) << "no name entry after the summary";
    game.Type(kPlayerName);
    game.Key("Return");
    Pause(600);
    game.MoveTo(w.X(99), w.Y(99));
    Pause(300);
    const Picture won = Shoot(game, "6-main-after");
    EXPECT_GT(won.Count(37.5f, 84, 72, 89, Magenta), 10) << "the Easy footer shows an error-free share now";
    game.Key("q");
    ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();

    const std::string path = game.StoredPrefPath();
    auto prefs = DumpPrefs(path);
    ASSERT_FALSE(prefs.empty()) << path;
    EXPECT_EQ(prefs["difficulty"].at(0), "1");
    EXPECT_EQ(prefs["showHelpAtStart"].at(0), "0");
    EXPECT_EQ(prefs["gamesPlayed"].at(0), "1");
    EXPECT_EQ(prefs["levelGamesPlayed"].at(1), "1");
    EXPECT_EQ(prefs["levelErrorFreeWins"].at(1), "1");
    EXPECT_EQ(prefs["wonGames"].at(static_cast<size_t>(puzzle.index)), "1");
    int won_flags = 0;
    for (const std::string& v : prefs["wonGames"]) won_flags += v == "1";
    EXPECT_EQ(won_flags, 1);
    EXPECT_EQ(prefs["hsName"].at(10), kPlayerName) << "best Easy entry";
    EXPECT_GE(std::stoi(prefs["hsScore"].at(10)), 2000 + 100 * 40) << "completion bonus and forty right pieces";
    EXPECT_EQ(prefs["hsName"].at(11), "Nobody");
    EXPECT_EQ(prefs["lastName"].at(0), kPlayerName);

    // Again: the table shows the entry as it did after the name was entered.
    game.Start();
    ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
    game.MoveTo(w.X(99), w.Y(99));
    Pause(700);
    const Picture again = Shoot(game, "7-restart");
    EXPECT_LT(Mismatch(BestRow(again), BestRow(won)), 0.05) << "the best row is the same text";
    EXPECT_GT(Mismatch(BestRow(again), BestRow(emptyTable)), 0.3) << "and not the empty table's";
    EXPECT_GT(again.Count(37.5f, 84, 72, 89, Magenta), 10);
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
}

// The about screen's address button opens the installed manual through xdg-open; "OK" returns.
TEST(FirstGameE2E, TheAboutScreenOpensTheInstalledManual) {
    const DisplayHold hold;
    ASSERT_TRUE(hold.Ready());
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

    game.Start();
    ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
    Pause(400);
    const Picture first = Shoot(game, "about-0");
    ASSERT_GT(first.width, 0);
    const Window w{first.width, first.height};
    ClickAt(game, w, 91, 55);  // "About Tessaran", right-aligned at 95 %
    Pause(300);
    ClickAt(game, w, 37, 85.6f);  // the address, centred on 37 % at 83 %
    for (int i = 0; i < 40 && ReadText(opened).empty(); ++i) Pause(100);
    EXPECT_EQ(ReadText(opened), manual);
    ClickAt(game, w, 37, 93.4f);  // "OK"
    Pause(300);
    EXPECT_GT(Shoot(game, "about-1").Count(20, 15, 55, 22, Red), 50) << "back on the main screen";
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
}

}  // namespace
}  // namespace tessaran::test
