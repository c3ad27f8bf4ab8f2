// A session, a scripted person and a dialog context for the attribute dialog tests, with
// helpers to answer nested modal dialogs and to save the screenshots under docs/dialogs.
#pragma once

#include <functional>
#include <string>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "support_window.h"
#include "Session.h"
#include "ui/dialogs/DialogContext.h"

namespace lt::test {

struct DialogHarness {
    MemoryFileSystem fs;
    FakeUserPort ui;
    Session session{fs, ui};
    QuickMessage& m = session.msg;
    int line = 1;
    int showEdits = 0;
    int simulations = 0;
    DialogContext ctx{session, nullptr, [this] { return line; }, [this](int n) { line = n; },
                      [this] { ++showEdits; }, [this] { ++simulations; }};

    DialogHarness() {
        m.LineCount = 4;
        session.settings.UnitType = "7780";
    }
};

// Runs `act` on the next modal dialog once its event loop runs (a dialog opened with exec()
// from inside the step under test).
inline void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, qApp, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) act(modal);
    });
}

// Saves a picture of the dialog into $LT_DIALOG_SHOTS/<name>.png when that is set.
inline void SaveShot(QWidget& dialog, const char* name) {
    const QByteArray dir = qgetenv("LT_DIALOG_SHOTS");
    if (dir.isEmpty()) return;
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name) + ".png"));
}

} // namespace lt::test
