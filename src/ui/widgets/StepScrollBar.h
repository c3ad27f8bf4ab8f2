// A scroll bar that steps through values, whose click repeat can be ended from outside:
// a value-change handler that shows a modal box takes the mouse release the bar waits
// for, and without it the bar would go on repeating the click.
#pragma once

#include <QScrollBar>

namespace lt {

class StepScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;
    void stopRepeat() { setRepeatAction(SliderNoAction); }
};

} // namespace lt
