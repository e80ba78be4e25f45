// Line breaking for every text the help, quick help and solver show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_state.h"
#include "profile/summary.h"
#include "solver/help.h"

namespace tessaran::test {
namespace {

using Lines = std::vector<std::string>;

// One unit per character, so widths can be counted by eye.
Lines Wrap(const std::string& text, float width) {
    return WrapTextLines(text, width, [](const std::string& s) { return static_cast<float>(s.size()); });
}

TEST(WrapText, BreaksAtSignsSpacesAndOverlongWords) {
    const std::pair<std::pair<std::string, float>, Lines> cases[] = {
        {{"Rule 1.@ @To play", 100}, {"Rule 1.", " ", "To play"}}, {{"end@", 100}, {"end", ""}}, {{"", 100}, {""}},
        // "one two" is 7 wide: at width 7 it is already too wide, at 8 it fits.
        {{"one two three", 7}, {"one", "two", "three"}}, {{"one two three", 8}, {"one two", "three"}},
        {{"Stop.  Go on", 6}, {"Stop.", "Go on"}},  // the second space does not start the next line
        {{"go abcdefghij", 5}, {"go", "abcd", "efgh", "ij"}}, {{"abc", 0.5f}, {"a", "b", "c"}},
    };
    for (const auto& [in, lines] : cases) EXPECT_EQ(Wrap(in.first, in.second), lines) << in.first;
}

TEST(WrapText, EveryTextKeepsItsCharactersInOrderWithinTheColumn) {
    std::vector<std::string> texts{QuickHelpText, QuickHelpChildText, std::string(700, 'x') + " y"};
    for (const HelpPageText& page : HelpPages) texts.emplace_back(page.text);
    auto squeeze = [](std::string s) {
        std::erase_if(s, [](char c) { return c == ' ' || c == '@'; });
        return s;
    };
    for (const std::string& text : texts)
        for (const float width : {12.0f, 37.0f, 70.0f}) {
            std::string joined;
            for (const std::string& line : Wrap(text, width)) {
                EXPECT_LT(static_cast<float>(line.size()), width) << line;
                joined += line;
            }
            EXPECT_EQ(squeeze(joined), squeeze(text)) << "no character lost or added";
        }
}

// The help must quote the bonuses the game pays, which grow with the level.
TEST(HelpPages, TheScoringPageQuotesTheCompletionBonusesPaid) {
    const std::string scoring = HelpPages[8].text;
    for (const auto& [level, name] : {std::pair{LevelChild, "Child"}, {LevelEvil, "Evil"}})
        EXPECT_NE(scoring.find(std::to_string(CompletionBonus(level)) + " (" + name + ")"), std::string::npos) << name;
}

}  // namespace
}  // namespace tessaran::test
