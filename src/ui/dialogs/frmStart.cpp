#include "ui/dialogs/frmStart.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QVBoxLayout>

#include "common/NumberText.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/help/HelpViewer.h"

namespace lt {

frmStart::frmStart(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx) {
    const QuickMessage& m = ctx.session.msg;
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QString::fromStdString(StartWindowCaption(m.CurrentMessage)));

    Label1 = MakeHeading(this, "Start message");
    optOn = Named(new QRadioButton("On", this), "optOn");
    optOff = Named(new QRadioButton("Off", this), "optOff");
    lblStatus = Named(new QLabel(this), "lblStatus");
    lblStatus->setWordWrap(true);
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setMinimumHeight(lblStatus->fontMetrics().lineSpacing() * 2 + 8);
    lblStatus->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    cmdOk = Named(new QPushButton("&OK", this), "cmdOk");
    cmdCancel = Named(new QPushButton("&Cancel", this), "cmdCancel");
    cmdClear = Named(new QPushButton("Clea&r", this), "cmdClear");
    cmdHelp = Named(new QPushButton("&Help", this), "cmdHelp");
    cmdOk->setDefault(true);

    auto* hover = new HoverHelp(this, [this](const QString& control) {
        QString name = control;
        while (!name.isEmpty() && name.back().isDigit()) name.chop(1);
        lblStatus->setText(QString::fromStdString(StartHelpLine(name.toStdString())));
    });
    auto* frames = new QGridLayout;
    static const char* const kTitles[kStartBoxes] = {"First message", "Second message", "Third message",
                                                     "Fourth message"};
    for (int i = 0; i < kStartBoxes; ++i) {
        const std::string n = std::to_string(i + 1);
        frame[i] = new QGroupBox(kTitles[i], this);
        frame[i]->setObjectName(QString::fromStdString("frame" + n));
        txtStart[i] = new QLineEdit(frame[i]);
        txtStart[i]->setObjectName(QString::fromStdString("txtStart" + n));
        txtStart[i]->setMaxLength(4);
        txtStart[i]->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), txtStart[i]));
        txtStart[i]->setFixedWidth(txtStart[i]->fontMetrics().horizontalAdvance("00000") + 12);
        vsbStart[i] = new QScrollBar(Qt::Vertical, frame[i]);
        vsbStart[i]->setObjectName(QString::fromStdString("vsbStart" + n));
        vsbStart[i]->setRange(0, kMessageCount - 1);
        // Upward increases.
        vsbStart[i]->setInvertedAppearance(true);
        vsbStart[i]->setInvertedControls(true);
        vsbStart[i]->setFixedHeight(txtStart[i]->sizeHint().height());
        auto* place = new QLabel("Place the call at:", frame[i]);
        optTop[i] = new QRadioButton("Beg.", frame[i]);
        optTop[i]->setObjectName(QString::fromStdString("optTop" + n));
        optEnd[i] = new QRadioButton("End", frame[i]);
        optEnd[i]->setObjectName(QString::fromStdString("optEnd" + n));
        optTop[i]->setChecked(true);
        auto* box = new QGridLayout(frame[i]);
        auto* number = new QHBoxLayout;
        number->setSpacing(2);
        number->addWidget(txtStart[i]);
        number->addWidget(vsbStart[i]);
        number->addStretch();
        box->addLayout(number, 0, 0, 1, 2);
        box->addWidget(place, 1, 0, 1, 2);
        box->addWidget(optTop[i], 2, 0);
        box->addWidget(optEnd[i], 2, 1);
        frames->addWidget(frame[i], i / 2, i % 2);
        for (QWidget* w : {static_cast<QWidget*>(txtStart[i]), static_cast<QWidget*>(optTop[i]),
                           static_cast<QWidget*>(optEnd[i])})
            hover->watch(w);

        connect(txtStart[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (filling_) return;
            const std::string t = text.toStdString();
            // A number beyond the bar's range stays for OK to refuse.
            if (!t.empty() && ValInt(t) > kMessageCount - 1) return;
            vsbStart[i]->setValue(StartBarValue(t));
        });
        connect(vsbStart[i], &QScrollBar::valueChanged, this, [this, i](int value) {
            if (filling_) return;
            txtStart[i]->setText(QString::fromStdString(StartBoxText(value)));
        });
    }
    for (QWidget* w : {static_cast<QWidget*>(optOn), static_cast<QWidget*>(optOff), static_cast<QWidget*>(cmdOk),
                       static_cast<QWidget*>(cmdCancel), static_cast<QWidget*>(cmdClear),
                       static_cast<QWidget*>(cmdHelp)})
        hover->watch(w);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(optOn);
    top->addWidget(optOff);
    auto* buttons = ButtonRow({cmdOk, cmdCancel, cmdHelp}, cmdClear);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(frames);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);

    const StartChoice opened = OpenStart(m);
    filling_ = true;
    for (int i = 0; i < kStartBoxes; ++i) {
        txtStart[i]->setText(QString::fromStdString(opened.boxes[i].text));
        vsbStart[i]->setValue(StartBarValue(opened.boxes[i].text));
        (opened.boxes[i].atEnd ? optEnd[i] : optTop[i])->setChecked(true);
    }
    filling_ = false;
    (opened.on ? optOn : optOff)->setChecked(true);
    if (!opened.on) lblStatus->setText(kStartPressOn);

    connect(optOn, &QRadioButton::toggled, this, &frmStart::applyOnOff);
    connect(cmdClear, &QPushButton::clicked, this, [this] {
        for (QLineEdit* box : txtStart) box->clear();
    });
    connect(cmdOk, &QPushButton::clicked, this, &frmStart::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, 3800); });
    applyOnOff();
    PrepareDialog(*this, ctx);
}

void frmStart::applyOnOff() {
    for (QGroupBox* f : frame) f->setEnabled(optOn->isChecked());
}

void frmStart::ok() {
    StartChoice choice;
    choice.on = optOn->isChecked();
    for (int i = 0; i < kStartBoxes; ++i) {
        choice.boxes[i].text = txtStart[i]->text().toStdString();
        choice.boxes[i].atEnd = optEnd[i]->isChecked();
    }
    StartResult result;
    if (!RunGuarded(ctx_, UnexpectedErrorText("Start Message"),
                    [&] { result = ApplyStart(ctx_.session.msg, choice); }))
        return;
    if (!result.accepted) {
        ctx_.session.ui.messageBox(Box(result.message));
        if (result.emptyBox >= 0) txtStart[result.emptyBox]->clear();
        return;
    }
    startCaption_ = StartButtonCaption(ctx_.session.msg);
    AcceptAndRefresh(*this, ctx_);
}

} // namespace lt
