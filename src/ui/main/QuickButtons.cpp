// The attribute buttons: four toggles that change the model in place, and six buttons
// that open the attribute dialogs.
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <exception>

#include "common/NumberText.h"
#include "quickedit/RichText.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/frmBlink.h"
#include "ui/dialogs/frmScroll.h"
#include "ui/dialogs/frmSelect.h"
#include "ui/dialogs/frmSend.h"
#include "ui/dialogs/frmStart.h"
#include "ui/dialogs/frmVar.h"
#include "ui/dialogs/frmWait.h"
#include "ui/main/frmQuick.h"
#include "ui/widgets/LineEditor.h"

namespace lt {

DialogContext frmQuick::dialogContext() {
    return DialogContext{s_, this, [this] { return currentLine_; }, [this](int line) { setLine(line); },
                         [this] { ShowEdit(); }, [this] { UpdateSimulation(); }};
}

void frmQuick::setupButtons() {
    connect(cmdClrScreen, &QPushButton::clicked, this, [this] {
        bool on = s_.msg.ClearScreen.empty();
        s_.msg.ClearScreen = on ? "CLS" : "";
        cmdClrScreen->setText(on ? QStringLiteral("Clear scree&n ON") : QStringLiteral("Clear scree&n OFF"));
        focusEditor();
    });
    connect(cmdRelay, &QPushButton::clicked, this, [this] {
        std::string& relay = s_.msg.RelayMode;
        if (relay.empty()) {
            relay = "ON";
            cmdRelay->setText(QStringLiteral("Turn &Relay ON"));
        } else if (relay == "ON") {
            relay = "OFF";
            cmdRelay->setText(QStringLiteral("Turn &Relay OFF"));
        } else if (relay == "OFF") {
            relay.clear();
            cmdRelay->setText(QStringLiteral("No &Relay"));
        }
        focusEditor();
    });
    connect(cmdFont, &QPushButton::clicked, this, [this] {
        static const char* const cycle[][2] = {{"", "English f&ont"},
                                               {"ENGLISH", "Katakana f&ont"},
                                               {"KATAKANA", "Slavic f&ont"},
                                               {"SLAVIC", "Cyrillic f&ont"},
                                               {"CYRILLIC", "Change F&ont OFF"}};
        static const char* const next[] = {"ENGLISH", "KATAKANA", "SLAVIC", "CYRILLIC", ""};
        std::string& font = s_.msg.LineFont[currentLine_];
        for (int i = 0; i < 5; ++i) {
            if (font != cycle[i][0]) continue;
            font = next[i];
            cmdFont->setText(QString::fromLatin1(cycle[i][1]));
            break;
        }
        focusEditor();
    });
    connect(cmdCenter, &QPushButton::clicked, this, [this] {
        bool centre = !s_.msg.CenterMode;
        txtEdit->setCentredAtCursor(centre);
        s_.msg.CenterMode = centre;
        cmdCenter->setText(centre ? QStringLiteral("Center te&xt ON") : QStringLiteral("Center te&xt OFF"));
        writeBackLine();
        focusEditor();
    });
    connect(cmdBlink, &QPushButton::clicked, this, &frmQuick::onBlinkClicked);
    connect(cmdVar, &QPushButton::clicked, this, [this] {
        const std::string& var = s_.settings.VarChar;
        if (s_.msg.LineRtf[currentLine_].find(var) == std::string::npos || var.empty()) {
            s_.ui.messageBox(Box("No variable place holder character \"" + var +
                                 "\" found. You have to enter exact length for desired variable. You can also change "
                                 "current place holder by clicking on Edit menu and then choosing Preferences submenu."));
        } else {
            openDialog<frmVar>("Variable");
        }
        focusEditor();
    });
    connect(cmdScroll, &QPushButton::clicked, this, [this] { openDialog<frmScroll>("Horizontal Scroll"); });
    connect(cmdWait, &QPushButton::clicked, this, [this] { openDialog<frmWait>("Vertical Scroll"); });
    connect(cmdStart, &QPushButton::clicked, this, [this] { openDialog<frmStart>("Start Message"); });
    connect(cmdSend, &QPushButton::clicked, this, [this] { openDialog<frmSend>("Send Message"); });
}

template <class Dialog>
void frmQuick::openDialog(const char* module) {
    s_.ui.setBusy(true);
    try {
        DialogContext ctx = dialogContext();
        Dialog dialog(ctx);
        s_.ui.setBusy(false);
        dialog.exec();
    } catch (const std::exception&) {
        s_.ui.setBusy(false);
        s_.ui.messageBox(Box(std::string("Unexpected error in module ") + module +
                                 ". Try to restart the program or Windows operating system.",
                             Buttons::Ok, Icon::Exclamation));
    }
    focusEditor();
}

void frmQuick::openLongMessageDialog() {
    openDialog<frmSelect>("Select");
    ShowEdit();
    UpdateSimulation();
    QTextCursor c = txtEdit->textCursor();
    c.movePosition(QTextCursor::End);
    txtEdit->setTextCursor(c);
}

void frmQuick::onBlinkClicked() {
    const int line = currentLine_;
    if (Trim(GetText(s_.msg.LineRtf[line])).empty()) {
        s_.ui.messageBox(Box("There is no text to be blinked."));
        focusEditor();
        return;
    }
    if (!txtEdit->textCursor().hasSelection()) {
        openDialog<frmBlink>("Blink");
        return;
    }
    // Blink the highlighted text in place.
    std::string selected = txtEdit->selectedLineRtf();
    const std::string spacing = "\\sb90\\sa90 ";
    std::string rest = StartsWith(selected, spacing) ? selected.substr(spacing.size()) : selected;
    txtEdit->replaceSelectionWithLineRtf(spacing + MakeBlink(rest));
    writeBackLine();
    normaliseLine();
    bool blinking = CheckBlink(s_.msg.LineRtf[line]);
    s_.msg.LineBlink[line] = blinking ? "25,ON" : "";
    cmdBlink->setText(blinking ? QStringLiteral("&Blink ON") : QStringLiteral("&Blink OFF"));
    UpdateSimulation();
    focusEditor();
}

} // namespace lt
