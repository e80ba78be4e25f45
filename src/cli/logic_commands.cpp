// teach and why: the logic engine's steps and the complete search's verdict for grids read from
// standard input, one 81-character grid a line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "solver/complete.h"
#include "solver/logic.h"
#include "solver/rating.h"

namespace tessaran {

namespace {

std::string Placements(const LogicStep& step) {
    std::string text;
    for (const Placement& p : step.placements)
        text += (text.empty() ? "" : ",") + SquareCode(p.square) + "=" + std::to_string(p.value);
    return text.empty() ? "-" : text;
}

std::string Eliminations(const LogicStep& step) {
    std::string text;
    for (const Elimination& e : step.eliminations)
        text += (text.empty() ? "" : ",") + SquareCode(e.square) + "-" + std::to_string(e.value);
    return text.empty() ? "-" : text;
}

void PrintTeach(const ValueGrid& grid) {
    LogicGrid logic = MakeLogicGrid(grid);
    LogicStep step;
    bool dead = false;
    while (!dead && FindLogicStep(logic, step)) {
        std::printf("%s\t%s\t%s\t%s\n", TechniqueName(step.technique), Placements(step).c_str(),
                    Eliminations(step).c_str(), StepText(step, PieceNaming::Digits).c_str());
        dead = step.technique == Technique::DeadEnd;
        if (!dead) ApplyLogicStep(logic, step);
    }
    const char* ending = dead ? "deadend" : IsSolved(logic) ? "solved" : "stuck";
    std::printf("%s %s\n", ending, FormatGrid(logic.values).c_str());
    std::fflush(stdout);
}

void PrintWhy(const ValueGrid& grid) {
    const GridExplanation why = ExplainGrid(grid);
    switch (why.verdict) {
    case GridVerdict::None: std::printf("none %s\n", why.runsOut.c_str()); break;
    case GridVerdict::Unique: std::printf("unique %s\n", FormatGrid(why.first).c_str()); break;
    case GridVerdict::Multiple: {
        std::string squares;
        for (const int s : why.differing) squares += (squares.empty() ? "" : ",") + SquareCode(s);
        std::printf("multiple %s %s %s\n", FormatGrid(why.first).c_str(), FormatGrid(why.second).c_str(),
                    squares.c_str());
        break;
    }
    }
}

void PrintRating(const ValueGrid& grid) {
    const LogicRating rating = RateLogically(grid);
    if (rating.solved)
        std::printf("%d %s\n", rating.rating, TechniqueName(rating.hardest));
    else
        std::printf("unsolved\n");
}

int Teach(const std::vector<std::string>& args) { return ForEachGrid("teach", args, PrintTeach); }
int Why(const std::vector<std::string>& args) { return ForEachGrid("why", args, PrintWhy); }
int Rate(const std::vector<std::string>& args) { return ForEachGrid("rate", args, PrintRating); }

const CliRegistration TeachRegistration(
    "teach",
    "teach                per grid on stdin: each logical step applied in turn,\n"
    "                       TECHNIQUE<tab>PLACEMENTS (r3c5=7,... or -)<tab>ELIMINATIONS (r1c2-5,... or -)\n"
    "                       <tab>TEXT, then solved|stuck|deadend GRID",
    Teach);
const CliRegistration WhyRegistration(
    "why",
    "why                  per grid on stdin, searched completely: unique SOLUTION, none WHERE\n"
    "                       (r2c9 or row 4 value 6), or multiple SOLUTION1 SOLUTION2 SQUARES (r1c2,...)",
    Why);
const CliRegistration RateRegistration(
    "rate",
    "rate                 per grid on stdin: RATING HARDEST-TECHNIQUE, the effort of solving it with the\n"
    "                       logic engine's techniques, or unsolved where the engine needs a trial",
    Rate);

}  // namespace
}  // namespace tessaran
