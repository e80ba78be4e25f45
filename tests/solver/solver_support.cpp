// Solver test helpers.
#include "solver_support.h"

#include <algorithm>
#include <fstream>

#include "solver/solver.h"

namespace tessaran::test {

const char* const kSolvedGrid =
    "652483917978162435314975628825736149791824563436519872269348751547291386183657294";

ValueGrid Grid(const std::string& text) {
    ValueGrid grid{};
    std::string reason;
    if (!ParseGrid(text, grid, &reason)) ADD_FAILURE() << "bad test grid: " << reason << ": " << text;
    return grid;
}

std::vector<std::string> DataLines(const std::string& name) {
    std::ifstream in(std::string(TESSARAN_SOURCE_DIR) + "/tests/data/" + name);
    if (!in) ADD_FAILURE() << "missing test data " << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

std::vector<EdgeCase> EdgeCases() {
    std::vector<EdgeCase> cases;  // grid, published solution count, source; tab-separated
    for (const std::string& line : DataLines("edge_cases.tsv")) {
        const size_t a = line.find('\t'), b = line.find('\t', a + 1);
        cases.push_back({line.substr(0, a), std::stoi(line.substr(a + 1, b - a - 1)), line.substr(b + 1)});
    }
    return cases;
}

std::string GoodPuzzle() { return EdgeCases()[0].grid; }

std::string Exhausting() {
    for (const EdgeCase& edge : EdgeCases())
        if (edge.source.find("naive_backtracking_killer_2") != std::string::npos) return edge.grid;
    return {};
}

void SolverTest::SetUp() {
    GameTest::SetUp();
    SolverState = SolverGlobals{};
    LoadOpen();
}

void SolverTest::Load(const std::string& text) {
    LoadSolverGrid(Grid(text), PlayBoard);
    ResetPossibles();
}

void SolverTest::Allow(int column, int row, std::initializer_list<int> values) {
    std::fill(At(column, row).possible + 1, At(column, row).possible + 10, uint8_t{0});
    for (int v : values) At(column, row).possible[v] = 1;
}

}  // namespace tessaran::test
