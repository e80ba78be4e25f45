// What the logic engine's technique files share: the fixed geometry, mask helpers, sentence
// helpers and the techniques themselves, each its own function. Not for use outside src/solver.
#pragma once

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "solver/logic.h"

namespace tessaran::logic {

inline constexpr int RowOf(int square) { return square / 9; }
inline constexpr int ColumnOf(int square) { return square % 9; }
inline constexpr int SectionOfSquare(int square) { return SectionOf(square % 9, square / 9); }

struct Geometry {
    int units[27][9];      // the squares of each unit, in reading order
    int unitsOf[81][3];    // row, column and section unit of each square
    int peers[81][20];     // the squares that share a unit with a square
    bool sees[81][81];     // share a unit (a square does not see itself)
    uint8_t counts[1024];  // set bits of every mask of values or places
};

constexpr Geometry BuildGeometry() {
    Geometry geo{};
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) {
            geo.units[i][j] = i * 9 + j;
            geo.units[9 + i][j] = j * 9 + i;
            geo.units[18 + i][j] = (3 * (i / 3) + j / 3) * 9 + 3 * (i % 3) + j % 3;
        }
    for (int s = 0; s < 81; ++s) {
        geo.unitsOf[s][0] = RowOf(s);
        geo.unitsOf[s][1] = 9 + ColumnOf(s);
        geo.unitsOf[s][2] = 18 + SectionOfSquare(s);
    }
    for (int a = 0; a < 81; ++a) {
        int n = 0;
        for (int b = 0; b < 81; ++b) {
            const bool shares = a != b && (RowOf(a) == RowOf(b) || ColumnOf(a) == ColumnOf(b) ||
                                           SectionOfSquare(a) == SectionOfSquare(b));
            geo.sees[a][b] = shares;
            if (shares) geo.peers[a][n++] = b;
        }
    }
    for (int m = 1; m < 1024; ++m) geo.counts[m] = static_cast<uint8_t>(geo.counts[m >> 1] + (m & 1));
    return geo;
}

// Built by the compiler: the techniques read it in their innermost loops.
inline constexpr Geometry kGeometry = BuildGeometry();
inline constexpr const Geometry& Geo() { return kGeometry; }

// Masks here never go past bit 9 (values 1..9, places 0..8); the game is built for any x86-64,
// which has no popcount instruction.
inline int Count(unsigned mask) { return kGeometry.counts[mask & 1023u]; }
inline int Lowest(unsigned mask) { return std::countr_zero(mask); }
inline bool Has(CandidateMask mask, int value) { return (mask >> value) & 1u; }
inline bool Sees(int a, int b) { return Geo().sees[a][b]; }

// The squares of `unit` whose candidates hold `value`, as a bit mask of positions 0..8.
unsigned PlacesIn(const LogicGrid& grid, int unit, int value);
// The two squares of `unit` at the positions set in `places`, which holds exactly two.
inline void PlacePair(int unit, unsigned places, int& a, int& b) {
    a = b = -1;
    for (int i = 0; i < 9; ++i)
        if ((places >> i) & 1u) (a < 0 ? a : b) = Geo().units[unit][i];
}
// Whether `unit` already holds `value` in a filled square.
bool UnitHolds(const LogicGrid& grid, int unit, int value);

// Marked for SayPieces: "{a 5}" (said "a 5", "an 8" or the name).
std::string AValue(int value);
// "{4}", "{4} and {7}", "{1}, {4} and {7}" (or with last = " or "); `article` goes on the first.
std::string ValueList(unsigned mask, const char* last = " and ", const char* article = "");
// "(row 1, column 2) and (row 5, column 2)", or with last = " or ".
std::string SquareList(const std::vector<int>& squares, const char* last = " and ");
// "rows 2 and 7", "columns 1, 4 and 8" for unit kinds 0 (rows) and 1 (columns).
std::string LineList(int kind, unsigned lines);

// Adds eliminations of `value` from `squares`, skipping squares without it.
void EliminateFrom(const LogicGrid& grid, const std::vector<int>& squares, int value, LogicStep& step);
// Every open square outside `except` that sees all of `anchors` and holds `value`.
std::vector<int> SeeingAll(const LogicGrid& grid, std::initializer_list<int> anchors, int value,
                           std::initializer_list<int> except = {});

// The techniques. Each fills `step` and returns true only when it has something to place or
// eliminate; FindLogicStep calls them in Technique order.
bool FindDeadEnd(const LogicGrid& grid, LogicStep& step);
bool FindSingle(const LogicGrid& grid, LogicStep& step);
bool FindHiddenSingle(const LogicGrid& grid, LogicStep& step);
bool FindNakedSubset(const LogicGrid& grid, int size, LogicStep& step);
bool FindPointing(const LogicGrid& grid, LogicStep& step);
bool FindClaiming(const LogicGrid& grid, LogicStep& step);
bool FindHiddenSubset(const LogicGrid& grid, int size, LogicStep& step);
bool FindFish(const LogicGrid& grid, int size, LogicStep& step);
bool FindXYWing(const LogicGrid& grid, LogicStep& step);
bool FindXYZWing(const LogicGrid& grid, LogicStep& step);
bool FindWWing(const LogicGrid& grid, LogicStep& step);
bool FindXChain(const LogicGrid& grid, LogicStep& step);
bool FindXYChain(const LogicGrid& grid, LogicStep& step);
bool FindAic(const LogicGrid& grid, LogicStep& step);
bool FindForcingChain(const LogicGrid& grid, LogicStep& step);

}  // namespace tessaran::logic
