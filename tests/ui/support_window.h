// A main window over a scripted person and a temporary directory, for the widget tests,
// with the few gestures the tests repeat: typing, choosing a message, selecting text.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "FakeUserPort.h"
#include "TempDir.h"
#include "Session.h"
#include "quickedit/Generate.h"
#include "settings/ProgramMenu.h"
#include "storage/FileSystem.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt::test {

inline std::string Line(const std::string& text) { return "\\sb90\\sa90 \\f0 \\cf0 " + text; }

// Selects characters from..to in a text box.
template <class Edit>
void Select(Edit* edit, int from, int to) {
    QTextCursor c = edit->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
}

// Presses a key as the keyboard does: through the window (or the open menu), so that
// shortcuts and menu keys work as for a person, and on to the focused widget.
inline void Press(QWidget* window, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    QWidget* popup = QApplication::activePopupWidget();
    QWindow* at = (popup ? popup : window->window())->windowHandle();
    QTest::keyPress(at, k, mods);
    QTest::keyRelease(at, k, mods);
}

template <class Fs>
struct BasicWindowFixture {
    TempDir dir;
    Fs disk;
    FakeUserPort ui;
    Session s{disk, ui};
    std::unique_ptr<frmQuick> w;

    explicit BasicWindowFixture(const std::string& unitType = "7780") {
        s.run.ProgramDir = dir.dir();
        s.settings.ToolsPath = dir.dir();
        s.settings.UnitType = unitType;
        ApplyUnitType(s);
        w = std::make_unique<frmQuick>(s);
        w->applyUnitType();
        w->files().NewFile();
        w->show();
        QApplication::setActiveWindow(w.get());
        (void)QTest::qWaitForWindowActive(w.get());
    }

    // Types at the end of the current line.
    void type(const QString& text) {
        w->txtEdit->setFocus();
        QTest::keyClick(w->txtEdit, Qt::Key_End);
        QTest::keyClicks(w->txtEdit, text);
    }
    void press(Qt::Key k, Qt::KeyboardModifiers mods = {}) { Press(w.get(), k, mods); }
    // Opens a menu of the menu bar with Alt and its letter; true once it is up.
    bool openMenu(Qt::Key letter, QMenu* menu) {
        press(letter, Qt::AltModifier);
        return QTest::qWaitFor([menu] { return QApplication::activePopupWidget() == menu; }, 2000);
    }
    // Escape closes the menu and leaves the menu bar highlighted; a second one leaves it.
    void closeMenu() {
        press(Qt::Key_Escape);
        if (qobject_cast<QMenuBar*>(QApplication::focusWidget())) press(Qt::Key_Escape);
        QApplication::processEvents();
    }
    // Enters a message number and presses Enter.
    void goTo(int n) {
        w->txtMsg->setFocus();
        w->txtMsg->setText(QString::number(n));
        QTest::keyClick(w->txtMsg, Qt::Key_Return);
    }

    // Writes a script file whose messages have the given plain texts on line 1.
    std::string writeScript(const std::string& name, const std::vector<std::pair<int, std::string>>& messages) {
        PosixFileSystem fs;
        FakeUserPort quiet;
        Session g(fs, quiet);
        g.settings.UnitType = s.settings.UnitType;
        ApplyUnitType(g);
        g.run.ProgramDir = dir.dir();
        std::string text = ScriptHeader(g.settings.UnitType, "2");
        for (const auto& [n, line] : messages) {
            g.msg.CurrentMessage = n;
            g.msg.LineRtf[1] = Line(line);
            SubMake(g);
            text += g.msg.BlockText + "\r\n";
        }
        dir.write(name, text);
        return dir.file(name);
    }
};

using WindowFixture = BasicWindowFixture<PosixFileSystem>;

} // namespace lt::test
