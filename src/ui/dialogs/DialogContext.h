// What an attribute dialog receives from the main window: the session, the current edit
// line, and the window's refreshes, so that a dialog's OK step can bring the editor and
// the simulation display in line with the model it changed.
#pragma once

#include <functional>

#include "Session.h"

class QWidget;

namespace lt {

struct DialogContext {
    Session& session;
    // The window the dialog is centred over.
    QWidget* parent = nullptr;
    // The current edit line (1..4) as the main window holds it.
    std::function<int()> currentLine;
    // Makes another line current and sets the line scroll bar without its change handling.
    std::function<void(int line)> setCurrentLine;
    // Refreshes the edit controls for the current line (captions, txtEdit) and the display.
    std::function<void()> showEdit;
    std::function<void()> updateSimulation;
};

} // namespace lt
