// Short sequences of real input, each once a way to damage a message or mislead the
// person; the soak test's steps and checks (support_soak.h) run them, so after every step
// the block compiles and reads back, the limits hold and the captions tell the truth.
#include <QtTest>

#include "support_soak.h"

using namespace lt::soak;

namespace {

// Choice 96: clicks land near the right end of a box.
Step S(Op op, std::string text = {}, std::vector<std::string> plan = {}, int value = 0) {
    return Step{op, value, std::move(text), 96, std::move(plan)};
}
Step Key(const char* name) { return Named(Op::Key, name); }
Step Shortcut(const char* name, std::vector<std::string> plan = {}) { return Named(Op::Shortcut, name, std::move(plan)); }
Step Click(const char* control, std::vector<std::string> plan = {}) { return Named(Op::Click, control, std::move(plan)); }
Step Type(std::string text, std::vector<std::string> plan = {}) { return S(Op::Type, std::move(text), std::move(plan)); }

Stats Run(const std::vector<Step>& steps) {
    Stats stats;
    if (const auto failure = RunSteps(steps, 4, &stats)) {
        const std::string report = "after step " + std::to_string(failure->step + 1) + " (" +
                                   Describe(steps[failure->step]) + "): " + failure->what;
        QTest::qFail(report.c_str(), __FILE__, __LINE__);
    }
    return stats;
}

bool Shown(const Stats& stats, const std::string& text) {
    return std::find(stats.boxes.begin(), stats.boxes.end(), text) != stats.boxes.end();
}

} // namespace

class TestRealInput : public QObject {
    Q_OBJECT
private slots:
    // Blocks of a line made "block by block" in the Select dialog stay blocks, also when
    // the scroll dialog that follows is cancelled.
    void selectedBlockLineKeepsItsBlocks() {
        Run({Click("txtEdit"), Type("ABCDEFGHIJ"), Type(" KLMNOPQRS"), Type("T", {"optSelect2 ok", "cancel"}),
             Key("Enter"), Type("SECOND"), S(Op::MsgNumber, "1"), S(Op::MsgNumber, "0")});
    }
    // Blink dialog "Off" on a line with blinking characters: nothing blinks, the block compiles.
    void blinkOffStopsTheLine() {
        Run({Click("txtEdit"), Type("AB"), Key("Shift+Left"), Shortcut("Alt+B"), Key("End"),
             Shortcut("Alt+B", {"optOff ok"}), S(Op::MsgNumber, "1"), S(Op::MsgNumber, "0")});
    }
    // A drop follows the paste rules: 30 characters do not enter a 20-character line.
    void dropKeepsTheLimit() {
        const Stats stats = Run({Click("txtEdit"), S(Op::Drop, "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234")});
        QVERIFY(Shown(stats, "The text to be pasted is too long to fit in 20 characters line. You may want to create "
                             "a continuous scrolling message."));
    }
    // Delete shortens a full line; it is no typed character.
    void deleteOnAFullLine() {
        const Stats stats = Run({Click("txtEdit"), Type("ABCDEFGHIJ"), Type("KLMNOPQRST"), Key("Home"), Key("Delete")});
        QCOMPARE(stats.dialogs, 0);
    }
    // Ctrl+A is Save As and Ctrl+Y the syntax check, also in the text boxes.
    void menuKeysInTheTextBoxes() {
        Run({Click("txtEdit"), Type("AB"), S(Op::SaveAs, {}, {}, 0)});
        const Stats stats = Run({Click("cmdAdvEdit"), Shortcut("Ctrl+Y")});
        QVERIFY(Shown(stats, "No syntax errors found in message 0"));
    }
    // The status bar shows an open menu's text, also when a text box had the keyboard.
    void statusShowsTheOpenMenu() {
        Step menu = S(Op::Menu);
        menu.choice = 1;  // the File menu, closed again
        Run({Click("txtEdit"), menu});
    }
    // The pointer moving over a button just clicked shows the button's new state.
    void statusFollowsThePointer() { Run({Click("cmdRelay"), Named(Op::Hover, "cmdRelay")}); }
    // Alt+G switches to Script Edit for a message edited by hand ("&Script Edit Only").
    void altGOnAHandEditedMessage() {
        Run({Click("cmdAdvEdit"), S(Op::HandEdit), Click("cmdAdvEdit"), Shortcut("Alt+G"), Shortcut("Alt+G"),
             Type("A")});
    }
    // Script Edit entered again after a save shows the saved block: New has nothing to ask.
    void scriptEditAfterASave() {
        Run({Type("E1 65T"), Click("cmdAdvEdit"), Click("cmdAdvEdit"), S(Op::Save, {}, {}, 1), Click("cmdAdvEdit"),
             S(Op::New)});
    }
    // The Center button tells about the block the cursor is in when the line comes back.
    void centerFollowsTheCursorsBlock() {
        Run({Click("txtEdit"), Type("ABCDEFGHIJ"), Type("KLMNOPQRST"), Type("U", {"optSelect2 ok", "ok"}),
             Key("Backspace"), Key("Backspace"), Key("Backspace"), Key("Backspace"), Key("Backspace"),
             Shortcut("Alt+X"), Key("Enter"), Shortcut("Alt+X"), Type("SECOND"), S(Op::MsgNumber, "1"),
             S(Op::MsgNumber, "0")});
    }
    // Enter in an empty centred block makes it plain; the Center button follows.
    void enterInAnEmptyCentredBlock() {
        Run({Click("txtEdit"), Type("ABCDEFGHIJ"), Type("KLMNOPQRST"), Type("U", {"optSelect2 ok", "ok"}),
             Key("Enter"), Type("SECOND"), Shortcut("Alt+X"), Key("Enter"), Key("Enter")});
    }
    // Delete at the end of a block, or over the break between two blocks, never makes a
    // block longer than the display.
    void deleteBetweenBlocks() {
        Run({Click("txtEdit"), Type("ABCDEFGHIJ"), Type("KLMNOPQRST"), Type("U", {"optSelect2 ok", "ok"}),
             Type("UVWXY"), Key("Home"), Key("Left"), Key("Delete"), Key("Right"), Key("Shift+Left"),
             Key("Delete")});
    }
    // Cancel in the Send dialog after an empty text was refused leaves the message as it was.
    void sendCancelAfterARefusal() {
        Run({Click("txtEdit"), Type("AB"), Click("cmdSend", {"optSlave ok"}),
             Click("cmdSend", {"optOn cmdClear ok cancel"})});
    }
    // A character the unit cannot show is refused, and the status bar says why.
    void characterOutsideTheUnitsRange() {
        const Stats stats = Run({Click("txtEdit"), Type("G\xc3\xa9")});
        QCOMPARE(stats.status, std::string("The unit cannot show \xc3\xa9: only the characters of the keyboard's "
                                           "ASCII range (codes 32 to 126) can be typed."));
    }
};

QTEST_MAIN(TestRealInput)
#include "tst_real_input.moc"
