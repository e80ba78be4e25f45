// Shared helpers for the solver tests: grids from text and the test data, and hand-set possibles.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "game/game_fixture.h"
#include "solver/grid.h"

namespace tessaran::test {

// A solved grid: the answer of GoodPuzzle(), and wherever a valid full grid is needed.
extern const char* const kSolvedGrid;

ValueGrid Grid(const std::string& text);
// Lines of a file in tests/data, without comments ('#') or blank lines.
std::vector<std::string> DataLines(const std::string& name);

// A grid of tests/data/edge_cases.tsv with its solution count as published and its source.
struct EdgeCase { std::string grid; int solutions; std::string source; };
std::vector<EdgeCase> EdgeCases();
// The first edge case: one solution, reached by single values and only places.
std::string GoodPuzzle();
// A 17-given grid with an empty first row, hostile to a row-by-row search: it runs out of steps.
std::string Exhausting();

// The game fixture with the solver state cleared and an open solver grid on PlayBoard.
class SolverTest : public GameTest {
protected:
    void SetUp() override;
    // PlayBoard as a solver grid with the given values, possibles reset.
    static void Load(const std::string& text);
    static void LoadOpen() { Load(std::string(81, '.')); }
    // Square (column, row) may take exactly `values`.
    static void Allow(int column, int row, std::initializer_list<int> values);
    static void Forbid(int column, int row, int value) { At(column, row).possible[value] = 0; }
};

}  // namespace tessaran::test
