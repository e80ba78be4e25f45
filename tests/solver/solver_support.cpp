// Solver test helpers.
#include "solver_support.h"

#include <fstream>
#include <sstream>

#include "audio/sound.h"
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
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

std::vector<EdgeCase> EdgeCases() {
    std::vector<EdgeCase> cases;
    for (const std::string& line : DataLines("edge_cases.tsv")) {
        std::istringstream fields(line);
        EdgeCase edge;
        std::string count;
        std::getline(fields, edge.grid, '\t');
        std::getline(fields, count, '\t');
        std::getline(fields, edge.source);
        edge.solutions = std::stoi(count);
        cases.push_back(edge);
    }
    return cases;
}

std::vector<int>& RecordedSounds() {
    static std::vector<int> sounds;
    return sounds;
}

namespace {
void Record(int number) { RecordedSounds().push_back(number); }
}  // namespace

void SolverTest::SetUp() {
    SolverState = SolverGlobals{};
    RecordedSounds().clear();
    SetSoundPlayer(Record);
    LoadOpen();
}

void SolverTest::TearDown() { SetSoundPlayer(nullptr); }

void SolverTest::Load(const std::string& text) {
    LoadSolverGrid(Grid(text), PlayBoard);
    ResetPossibles();
}

void SolverTest::LoadOpen() { Load(std::string(81, '.')); }

void SolverTest::Allow(int column, int row, std::initializer_list<int> values) {
    Cell& cell = PlayBoard[static_cast<size_t>(CellIndex(column, row))];
    for (int v = 1; v <= 9; ++v) cell.possible[v] = 0;
    for (int v : values) cell.possible[v] = 1;
}

void SolverTest::Forbid(int column, int row, int value) {
    PlayBoard[static_cast<size_t>(CellIndex(column, row))].possible[value] = 0;
}

}  // namespace tessaran::test
