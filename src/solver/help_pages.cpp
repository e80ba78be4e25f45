// Help texts, the help pages' example boards and line breaking. No drawing: the example boards
// are ordinary board state that the real board renderer then draws.
#include <algorithm>
#include <cmath>

#include "game/board.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "solver/help_pages.h"

namespace tessaran {

const HelpPageText HelpPages[kHelpPageCount] = {
    {"Welcome to Tessaran!",
     "Tessaran is a fun logic puzzle game based on the popular puzzles called Sudoku, Number Place, and many "
     "other names. The basic concept, called a Latin Square, was originally analyzed by Aurel Kestrin in 1783.  "
     "There are three basic rules..."},
    {"Rows", "Rule 1:  Every row must contain all nine Vorla characters."},
    {"Columns", "Rule 2:  Every column must contain all nine Vorla characters."},
    {"Sections", "Rule 3:  Every 3x3 section must contain all nine Vorla characters.  That's it!  Just three rules."},
    {"Mouse Controls",
     "To play the game, click on a square to activate it.  You can mark the little Vorlas in the square using "
     "your mouse.  Some people mark the possible values; others mark the values that have been ruled out.  It's "
     "your choice.  When you're ready to assign a value to the square, hold down Shift or Alt, and click on the "
     "Vorla type you've selected."},
    {"Keyboard Controls",
     "You can also play using the keyboard.  Use the arrow keys to move around the board.  Use the number keys "
     "1-9 to select the Vorlas.  When you're ready to assign a value to a square, hold down Shift or Alt (Alt if "
     "you're using the number pad) and press the appropriate number key.  Press F to open every empty square "
     "and mark the Vorlas that its row, column and section still allow."},
    {"Crystal Ball Mode",
     "Sometimes, you might get stuck.  If so, you can use Crystal Ball mode to try out Vorlas in any unsolved "
     "squares to see if they look like good moves.  Any guesses you make in crystal ball mode will not earn you "
     "points or cost you points until you commit them.  When you're done using the crystal ball, click it again "
     "to turn it off, or click 'Commit Changes' to accept the guesses you've made using the Crystal Ball."},
    {"Child Mode",
     "The Child difficulty level reduces the board to 4x4, with four sections.  It's much simpler, but the same "
     "rules apply; all four Vorla types must be in each row, column, and section."},
    {"Scoring",
     "You get 100 points for each square you solve.  You lose 500 points each time you assign an incorrect "
     "value to a square.  When you solve the whole puzzle, you get a completion bonus of 1000 (Child) to 5000 "
     "(Evil) points plus an additional time bonus based on how quickly you played.  If you made no mistakes, "
     "your time bonus is doubled.  If you made mistakes, your time bonus is reduced based on the number of "
     "mistakes you made."},
    {"Hints",
     "As you play more and get used to the game, you'll discover tricks that help you narrow down the options "
     "for the squares.  Look at the whole board and see if you can eliminate certain Vorla types from certain "
     "parts of the board.  Look for patterns and clusters of Vorlas in rows, columns, and sections - you might "
     "be able to eliminate some Vorla types.  How can you get the squares marked with an X down to two "
     "choices?"},
};

const char* const QuickHelpText =
    "Rule 1:  Every row must contain all nine Vorla characters.@"
    "Rule 2:  Every column must contain all nine Vorla characters.@"
    "Rule 3:  All nine 3x3 square sections must each contain all nine Vorla characters.@ @"
    "To play, click on a square to activate it.  You can mark the little Vorlas in the square using your mouse "
    "or the keys.  Some people mark the possible values; others mark the values that have been ruled out.  When "
    "you're ready to assign a value to a square, hold down Shift or Alt, and click on or press the number for "
    "the Vorla type you've selected.  See the Help for more information.";

const char* const QuickHelpChildText =
    "Rule 1:  Every row must contain all four Vorla characters.@"
    "Rule 2:  Every column must contain all four Vorla characters.@"
    "Rule 3:  All four 2x2 square sections must each contain all four Vorla characters.@ @"
    "To play, click on a square to activate it.  You can mark the little Vorlas in the square using your mouse "
    "or the keys.  Some people mark the possible values; others mark the values that have been ruled out.  When "
    "you're ready to assign a value to a square, hold down Shift or Alt, and click on or press the number for "
    "the Vorla type you've selected.  See the Help for more information.";

int32_t HelpPage = 0;
int32_t HelpPageShown = kNoHelpPageShown;
float HelpCrystalPhase = 0.0f;

// ---- Line breaking ------------------------------------------------------------------------

std::vector<std::string> WrapTextLines(std::string_view text, float width, const TextMeasure& measure) {
    std::vector<std::string> lines;
    const std::size_t n = text.size();
    std::size_t start = 0;
    bool skipSpaces = false;  // the line follows a break at a space: do not start it with one
    while (start < n || lines.empty()) {
        if (skipSpaces)
            while (start < n && text[start] == ' ') ++start;
        skipSpaces = false;
        std::string line;
        std::size_t candidate = std::string_view::npos;  // last space or "@" of this line
        std::size_t i = start;
        bool ended = false;
        for (; i < n; ++i) {
            const char c = text[i];
            const bool forced = c == '@';
            if (c == ' ' || forced) candidate = i;
            if (!forced) line.push_back(c);
            if (!forced && measure(line) < width) continue;
            if (candidate != std::string_view::npos) {
                lines.emplace_back(text.substr(start, candidate - start));
                skipSpaces = !forced && text[candidate] == ' ';
                start = candidate + 1;
            } else if (i > start) {  // one word wider than the column: break it where it overflows
                lines.emplace_back(text.substr(start, i - start));
                start = i;
            } else {  // a single character wider than the column still takes a line of its own
                lines.emplace_back(text.substr(start, 1));
                start = i + 1;
            }
            ended = true;
            break;
        }
        if (!ended) {  // the end of the text ends the last line
            lines.push_back(line);
            start = n;
            break;
        }
        if (start >= n && text.back() == '@') {  // a final "@" leaves an empty last line
            lines.emplace_back();
            break;
        }
    }
    return lines;
}

// ---- The help screen's state --------------------------------------------------------------

namespace {

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

void Show(int column, int row, int32_t pose) {
    Cell& cell = At(column, row);
    cell.known = 1;
    cell.flip = pose;
}

void SetMarks(int column, int row, std::initializer_list<int> values) {
    Cell& cell = At(column, row);
    std::fill(std::begin(cell.marks), std::end(cell.marks), uint8_t{0});
    for (const int v : values) cell.marks[v - 1] = 1;
}

void HideEverySquare() {
    for (Cell& cell : PlayBoard) cell.known = 0;
}

// Columns 0-2 and 6-8 show rows 0 and 2; columns 3-5 of the top band are open with marks, as
// a player in the middle of a game would have them.
void MarkedTopBand() {
    HideEverySquare();
    for (const int c : {0, 1, 2, 6, 7, 8}) {
        Show(c, 0, 0);
        Show(c, 2, 1);
    }
    for (int c = 3; c <= 5; ++c)
        for (int r = 0; r <= 2; ++r) At(c, r).activated = 1;
    Show(4, 2, 0);
    Show(5, 1, 0);
    for (int c = 3; c <= 5; ++c) SetMarks(c, 0, {5, 7, 8});
    SetMarks(3, 1, {1, 2, 4, 5, 7, 8, 9});
    SetMarks(4, 1, {1, 2, 4, 5, 7, 8, 9});
    SetMarks(3, 2, {1, 4});
    SetMarks(5, 2, {1, 4});
}

void CrystalBallTrials() {
    HelpCrystalPhase += 0.1f * FrameFactor;
    CrystalBallActive = true;
    CrystalWobbleX = 0.07f * std::cos(HelpCrystalPhase);
    CrystalWobbleY = 0.07f * std::sin(HelpCrystalPhase);
    const std::pair<int, int> trials[2] = {{4, 0}, {3, 2}};
    const int32_t guesses[2] = {5, 4};
    for (int k = 0; k < 2; ++k) {
        Cell& cell = At(trials[k].first, trials[k].second);
        cell.known = 1;
        cell.guess = guesses[k];
        CrystalGuessed[static_cast<std::size_t>(CellIndex(trials[k].first, trials[k].second))] = true;
    }
    CrystalGuessed[static_cast<std::size_t>(CellIndex(5, 0))] = true;
    SetMarks(5, 0, {7, 8});
}

}  // namespace

int32_t HelpBoardLevel(int32_t page) { return page == kHelpChildPage ? LevelChild : LevelMedium; }

void PrepareHelpExample() {
    if (HelpPage < 0 || HelpPage >= kHelpPageCount) HelpPage = 0;
    if (HelpPage != HelpPageShown) {
        ClearBoard(PlayBoard);
        CrystalGuessed.fill(false);
        HelpPageShown = HelpPage;
        const bool showsExample = HelpPage != 0 && HelpPage != kHelpChildPage && HelpPage != 8;
        if (showsExample) LoadLevel(kDemoLibrary, 0);
    }
    CrystalBallActive = false;
    switch (HelpPage) {
    case 1:
        HideEverySquare();
        for (int c = 0; c < 9; ++c) {
            Show(c, 0, 0);
            Show(c, 2, 1);
        }
        break;
    case 2:
        HideEverySquare();
        for (int r = 0; r < 9; ++r) {
            Show(0, r, 0);
            Show(2, r, 1);
        }
        break;
    case 3:
        HideEverySquare();
        for (int r = 0; r < 3; ++r)
            for (const int c : {0, 1, 2, 6, 7, 8}) Show(c, r, 0);
        break;
    case 4:
    case 5:
    case 6:
    case 9:
        MarkedTopBand();
        if (HelpPage == kHelpCrystalPage) CrystalBallTrials();
        else {
            CursorColumn = 4;
            CursorRow = 0;
        }
        break;
    case kHelpChildPage: {
        const int givens[4][3] = {{0, 0, 3}, {2, 1, 2}, {1, 2, 4}, {3, 3, 1}};  // column, row, value
        for (const auto& g : givens) {
            Cell& cell = At(g[0], g[1]);
            cell.value = g[2];
            cell.known = 1;
        }
        break;
    }
    default: break;  // the welcome and scoring pages show the empty board
    }
}

void NextHelpPage() { HelpPage = HelpPage >= 0 && HelpPage < kHelpPageCount - 1 ? HelpPage + 1 : 0; }

void LeaveHelp() {
    GoToScreen(ScreenMain);
    HelpPageShown = kNoHelpPageShown;
    CrystalBallActive = false;
    CrystalWobbleX = CrystalWobbleY = 0.0f;
    ClearBoard(PlayBoard);
    CrystalGuessed.fill(false);
}

void QuickHelpChoice(bool dontShowAgain) {
    if (dontShowAgain) Prefs.showHelpAtStart = 0;
    GoToScreen(ScreenNewGame);
}

}  // namespace tessaran
