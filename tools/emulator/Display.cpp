#include "emulator/Display.h"

#include <algorithm>

namespace lt::emulator {

namespace {
const Cell kBlank{};
}

Display::Display(int rows) : rows_(rows == 2 ? 2 : 4), cells_(static_cast<size_t>(rows_ * kColumns)) {}

void Display::clear() {
    std::fill(cells_.begin(), cells_.end(), Cell{});
    ++changes_;
}

void Display::put(int row, int column, const Cell& cell) {
    if (row < 1 || row > rows_ || column < 1 || column > kColumns) return;
    cells_[static_cast<size_t>((row - 1) * kColumns + column - 1)] = cell;
    ++changes_;
}

void Display::eraseToEnd(int row, int column) {
    if (row < 1 || row > rows_) return;
    for (int c = std::max(column, 1); c <= kColumns; ++c) cells_[static_cast<size_t>((row - 1) * kColumns + c - 1)] = Cell{};
    ++changes_;
}

void Display::setRow(int row, const std::vector<Cell>& cells) {
    if (row < 1 || row > rows_) return;
    for (int c = 1; c <= kColumns; ++c)
        cells_[static_cast<size_t>((row - 1) * kColumns + c - 1)] =
            static_cast<size_t>(c - 1) < cells.size() ? cells[static_cast<size_t>(c - 1)] : Cell{};
    ++changes_;
}

void Display::scrollUp() {
    std::move(cells_.begin() + kColumns, cells_.end(), cells_.begin());
    std::fill(cells_.end() - kColumns, cells_.end(), Cell{});
    ++changes_;
}

const Cell& Display::cell(int row, int column) const {
    if (row < 1 || row > rows_ || column < 1 || column > kColumns) return kBlank;
    return cells_[static_cast<size_t>((row - 1) * kColumns + column - 1)];
}

std::string Display::rowText(int row) const {
    std::string text;
    for (int c = 1; c <= kColumns; ++c) text += cell(row, c).ch;
    return text;
}

std::string Display::shownRow(int row, int64_t ms) const {
    std::string text;
    for (int c = 1; c <= kColumns; ++c) {
        const Cell& k = cell(row, c);
        bool off = k.blink != 0 && (ms / (k.blink * 10)) % 2 == 1;
        text += off ? ' ' : k.ch;
    }
    return text;
}

std::string Display::blinkMask(int row) const {
    std::string mask;
    for (int c = 1; c <= kColumns; ++c) mask += cell(row, c).blink ? '*' : ' ';
    return mask;
}

bool Display::hasBlinking() const {
    return std::any_of(cells_.begin(), cells_.end(), [](const Cell& c) { return c.blink != 0; });
}

} // namespace lt::emulator
