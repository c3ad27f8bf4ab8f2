// The simulation display's model: the four 20-character rows the unit would show for the
// current message, with blinking and scrolling. The window owns the two timers and calls
// the tick functions; tests step them directly.
#pragma once

#include <array>
#include <string>

namespace lt {

struct Session;

class SimulationModel {
public:
    // Redraws every row from the record and decides which timers run.
    void UpdateSimulation(const Session& s);
    // Blink timer (every 500 ms).
    void Timer2Tick(const Session& s);
    // Scroll timer (timer1Interval ms).
    void Timer1Tick(const Session& s);

    const std::string& row(int r) const; // r = 1..4
    bool rowVisible(int r) const;         // rows 1 and 4 only for four-line units
    bool timer1Enabled() const { return timer1Enabled_; }
    int timer1Interval() const { return timer1Interval_; }
    bool timer2Enabled() const { return timer2Enabled_; }
    int stepCount() const { return stepCount_; }
    bool blinkPhase() const { return blinkPhase_; }

    // Row that shows edit line `line`, and the edit line shown in `row` (0 for none).
    static int rowForLine(const Session& s, int line);
    static int lineForRow(const Session& s, int row);
    // The edit line a click on `row` makes current, or 0 when the click does nothing (no
    // line there, the row already shows the current line, or the current line scrolls
    // vertically).
    static int clickTarget(const Session& s, int row, int currentLine);
    // "Simulation display line n" for the row under the mouse.
    static std::string rowStatusText(const Session& s, int row);

private:
    void showStaticLine(const Session& s, int line, bool blinkOff);
    void clearAnimation();

    std::array<std::string, 5> rows_{};
    std::array<bool, 5> visible_{false, false, true, true, false};
    // Text each row holds in vertical block scrolling (rich text of the paragraph).
    std::array<std::string, 5> rowText_{};
    bool timer1Enabled_ = false;
    int timer1Interval_ = 0;
    bool timer2Enabled_ = true;

    int animatedLine_ = 0;
    int stepCount_ = 0;
    std::string animationText_;
    std::string animationSource_;
    std::string scrollWindow_;
    std::string scrollWindowOff_;
    std::string currentParagraph_;
    bool centring_ = false;
    bool blinkPhase_ = false;
    int tickCounter_ = 0;
};

} // namespace lt
