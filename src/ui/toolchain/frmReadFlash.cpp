#include "ui/toolchain/frmReadFlash.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "toolchain/ToolRun.h"

namespace lt {

namespace {

QLabel* makeText(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmReadFlash::frmReadFlash(ToolContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("frmReadFlash");
    setWindowTitle("Read / Program Flash");
    lblRead = makeText(this, "lblRead",
                       "Reading the Flash allows you to save the binary image of the Flash Memory inside the unit "
                       "in a file on your system. It can then be used to program another unit or can be sent to "
                       "Brelmo Industries for conversion to an editable Lumatext file.");
    lblProgram = makeText(this, "lblProgram",
                          "Programming the Flash from an existing binary image allows you to quickly program "
                          "additional units.  It is also handy in the event that the original Lumatext file has "
                          "been lost. You can read the image from a unit that contains the desired programming (as "
                          "indicated above) and then use that image to program the second unit..");
    lblNote = makeText(this, "lblNote",
                       "NOTE: Your 7700 Series Version 2 unit must be in program mode before you read or program the "
                       "Flash Memory.");
    lblStatus = makeText(this, "lblStatus", "");
    lblStatus->setFrameShape(QFrame::StyledPanel);
    cmdRead = new QPushButton("Read Flash into Binary Image", this);
    cmdRead->setObjectName("cmdRead");
    cmdProgram = new QPushButton("Program Flash from Binary Image", this);
    cmdProgram->setObjectName("cmdProgram");
    cmdClose = new QPushButton("&Close", this);
    cmdClose->setObjectName("cmdClose");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRead);
    buttons->addWidget(cmdProgram);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblRead);
    layout->addWidget(lblProgram);
    layout->addWidget(lblNote);
    layout->addLayout(buttons);
    layout->addWidget(lblStatus);
    resize(520, 300);

    // A second operation cannot start while one runs: the window keeps processing events.
    connect(cmdRead, &QPushButton::clicked, this, [this] {
        if (!busy_) ReadFlashIntoImage(ctx_, *this, busy_);
    });
    connect(cmdProgram, &QPushButton::clicked, this, [this] {
        if (!busy_) ProgramFlashFromImage(ctx_, *this, busy_);
    });
    connect(cmdClose, &QPushButton::clicked, this, &frmReadFlash::reject);
}

void frmReadFlash::openModal(ToolContext& ctx, QWidget* parent) {
    try {
        frmReadFlash window(ctx, parent);
        window.exec();
    } catch (const std::exception&) {
        ctx.s.ui.messageBox(Box("Unexpected error in module ReadFlash. Try to restart the program or Windows "
                                "operating system."));
    }
}

void frmReadFlash::setStatusLabel(const std::string& text) {
    lblStatus->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    lblStatus->repaint();
}

void frmReadFlash::reject() {
    // While an operation runs the window stays; a tool that does not end can be ended.
    if (busy_) {
        OfferToEndTool(ctx_);
        return;
    }
    QDialog::reject();
}

void frmReadFlash::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        OfferToEndTool(ctx_);
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace lt
