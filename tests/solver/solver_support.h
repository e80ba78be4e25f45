// Shared helpers for the solver tests: grids from text and data files, a recorded sound player,
// and hand-set possibles for crafting hint situations.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "solver/grid.h"

namespace tessaran::test {

ValueGrid Grid(const std::string& text);
// Lines of a file in tests/data, without comments ('#') or blank lines.
std::vector<std::string> DataLines(const std::string& name);

struct EdgeCase {
    std::string grid;
    int solutions;  // as published with the grid
    std::string source;
};
std::vector<EdgeCase> EdgeCases();

// A solved grid with its solution, used wherever a valid full grid is needed.
extern const char* const kSolvedGrid;

std::vector<int>& RecordedSounds();

// Resets the solver globals and the board, and records sounds instead of playing them.
class SolverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // PlayBoard as a solver grid with the given values, possibles reset.
    static void Load(const std::string& text);
    // An empty solver grid where every square may take every value.
    static void LoadOpen();
    // Square (column, row) may take exactly `values`.
    static void Allow(int column, int row, std::initializer_list<int> values);
    // Square (column, row) may no longer take `value`.
    static void Forbid(int column, int row, int value);
};

}  // namespace tessaran::test
