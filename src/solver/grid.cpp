// Value grids: parsing, printing and moving them to and from a board.
#include "solver/grid.h"

namespace tessaran {

bool ParseGrid(const std::string& text, ValueGrid& grid, std::string* reason) {
    if (text.size() != kCellCount) {
        if (reason) *reason = std::to_string(text.size()) + " characters, want 81";
        return false;
    }
    ValueGrid parsed{};
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '1' && ch <= '9') {
            parsed[i] = static_cast<uint8_t>(ch - '0');
        } else if (ch != '.' && ch != '0') {
            if (reason) {
                const unsigned code = static_cast<unsigned char>(ch);
                const bool printable = code >= 32 && code < 127;
                const std::string shown = printable ? std::string{'\'', ch, '\''} : "byte " + std::to_string(code);
                *reason = "character " + std::to_string(i + 1) + " is " + shown + ", want 1-9, '.' or '0'";
            }
            return false;
        }
    }
    grid = parsed;
    return true;
}

std::string FormatGrid(const ValueGrid& grid) {
    std::string text(kCellCount, '.');
    for (size_t i = 0; i < grid.size(); ++i)
        if (grid[i] >= 1 && grid[i] <= 9) text[i] = static_cast<char>('0' + grid[i]);
    return text;
}

ValueGrid GridFromBoard(const Board& board) {
    ValueGrid grid{};
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            const Cell& cell = board[static_cast<size_t>(CellIndex(column, row))];
            if (cell.known && cell.value >= 1 && cell.value <= 9)
                grid[static_cast<size_t>(GridIndex(column, row))] = static_cast<uint8_t>(cell.value);
        }
    return grid;
}

void LoadSolverGrid(const ValueGrid& grid, Board& board) {
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            Cell& cell = board[static_cast<size_t>(CellIndex(column, row))];
            ResetCell(cell);
            cell.column = column;
            cell.row = row;
            cell.section = SectionOf(column, row);
            cell.activated = 1;
            cell.value = grid[static_cast<size_t>(GridIndex(column, row))];
            cell.known = cell.value != 0;
        }
}

}  // namespace tessaran
