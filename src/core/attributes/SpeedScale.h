// The seven-step speed scale shared by the blink, horizontal scroll and vertical scroll
// dialogs: the name shown for each slider position, the values written into the model,
// the sample intervals, and the ranges that put a stored value back onto the slider.
#pragma once

#include <string>

namespace lt {

inline constexpr int kSlowestPosition = 1;
inline constexpr int kNormalPosition = 4;
inline constexpr int kFastestPosition = 7;

// "SLOWEST" .. "FASTEST"; "NORMAL" for a position outside 1..7.
std::string SpeedName(int position);

// Rate of the blink statement and speed code of continuous scrolling ("100" .. "1").
std::string RateCode(int position);
// Sample interval of continuous scrolling in milliseconds (1000 .. 40).
int ContinuousInterval(int position);
// Pause between blocks of block-by-block scrolling, horizontal or vertical ("50" .. "1").
std::string BlockCode(int position);
// Sample interval of block scrolling in milliseconds (5000 .. 100).
int BlockInterval(int position);

// Slider position of a stored blink rate or continuous code: 1..4 -> 7, 5..12 -> 6,
// 13..19 -> 5, 20..29 -> 4, 30..49 -> 3, 50..79 -> 2, 80..254 -> 1, anything else -> 4.
int RatePosition(double rate);
// Slider position of a stored block code: 1 -> 7, 2..4 -> 6, 5..8 -> 5, 9..14 -> 4,
// 15..24 -> 3, 25..39 -> 2, 40..254 -> 1, anything else -> 4.
int BlockPosition(long long code);

// Text before the first comma of an argument such as "25,3", and the trimmed text after it
// (empty when there is no comma).
std::string BeforeComma(const std::string& argument);
std::string AfterComma(const std::string& argument);

} // namespace lt
