// Where the main window opens. The position saved at the last shut-down is kept while the
// whole window fits on one screen; a position saved on a screen that is gone, or with
// another scale factor, would leave part of the window (and its status bar) out of reach,
// so such a window is moved, and shrunk where it is larger, onto the nearest screen.
#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace lt {

// The frame `frame` placed onto one of the screens' available areas (none: unchanged).
// The frame keeps its size unless it is larger than the area, and never shrinks below
// `minimum`; a frame still too large keeps its top left corner on the area.
QRect PlaceOnScreens(const QRect& frame, const QList<QRect>& available, const QSize& minimum);

// Applies PlaceOnScreens to a top-level window with the screens there are. Before the
// window is first shown its frame is not known yet: a title bar and border are reckoned in.
void KeepOnScreen(QWidget& window);

} // namespace lt
