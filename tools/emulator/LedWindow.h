// unit7700 --window: the emulated display as a panel of LED dots for people to watch,
// drawn as the editor's simulation display draws it. The panel spans the window's width
// from its top left corner; the relay is shown below it.
#pragma once

#include <QWidget>

#include "emulator/EmulatorHost.h"
#include "emulator/Machine.h"
#include "ledpanel/LedPanel.h"

namespace lt::emulator {

class LedWindow : public QWidget {
    Q_OBJECT
public:
    LedWindow(const Machine& machine, int unitType, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Machine& machine_;
    led::LedGeometry panel_;
    led::LedPainter painter_;
};

// Runs the host from the window's event loop until the window closes.
// With a snapshot path, a PNG of the panel is written there after every change.
int runLedWindow(int argc, char* argv[], EmulatorHost& host, Machine& machine, int unitType,
                 const std::string& snapshot);

} // namespace lt::emulator
