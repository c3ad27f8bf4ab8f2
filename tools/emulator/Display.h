// The LED display of an emulated 7700 unit: 2 or 4 rows of 20 character cells, each with
// its own blink rate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lt::emulator {

constexpr int kColumns = 20;

struct Cell {
    char ch = ' ';
    uint8_t blink = 0; // half period in 10 ms steps; 0 = steady
    uint8_t font = 0;
};

class Display {
public:
    explicit Display(int rows);

    int rows() const { return rows_; }
    void clear();
    // Rows and columns count from 1; cells outside the display are ignored.
    void put(int row, int column, const Cell& cell);
    void eraseToEnd(int row, int column);
    void setRow(int row, const std::vector<Cell>& cells);
    // The rows move up by one; the bottom row becomes empty.
    void scrollUp();

    const Cell& cell(int row, int column) const;
    // The characters of a row, blinking ones included.
    std::string rowText(int row) const;
    // The row as it looks at time `ms`: blinking cells are blank in their off phase.
    std::string shownRow(int row, int64_t ms) const;
    // '*' under every blinking cell, blanks elsewhere.
    std::string blinkMask(int row) const;
    bool hasBlinking() const;
    // Grows with every change of the cells.
    uint64_t changes() const { return changes_; }

private:
    int rows_;
    std::vector<Cell> cells_;
    uint64_t changes_ = 0;
};

} // namespace lt::emulator
