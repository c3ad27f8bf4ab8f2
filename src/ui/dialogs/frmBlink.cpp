#include "ui/dialogs/frmBlink.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "attributes/BlinkSettings.h"
#include "attributes/SpeedScale.h"
#include "quickedit/RichText.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/help/HelpViewer.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/LineRtfCodec.h"

namespace lt {

namespace {

// Blinking version of a mark (blanks never blink) and its steady version.
int blinkingMark(int mark, QChar c) {
    if (c == QLatin1Char(' ')) return mark;
    if (mark == 0) return 65;
    if ((mark >= 1 && mark <= 16) || (mark >= 33 && mark <= 48)) return mark + 16;
    return mark;
}

int steadyMark(int mark) {
    if (mark == 65) return 0;
    if ((mark >= 17 && mark <= 32) || (mark >= 49 && mark <= 64)) return mark - 16;
    return mark;
}

} // namespace

frmBlink::frmBlink(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx), line_(ctx.currentLine()) {
    const QuickMessage& m = ctx.session.msg;
    const BlinkOpening opening = OpenBlink(m, line_);
    setObjectName(QStringLiteral("frmBlink"));
    setWindowTitle(QString::fromStdString(opening.caption));

    Label1 = MakeHeading(this, "Blink");
    optOn = Named(new QRadioButton("On", this), "optOn");
    optOff = Named(new QRadioButton("Off", this), "optOff");
    txtEdit = Named(new LineEditor(this), "txtEdit");
    frameArea = Named(new QGroupBox("Blink area", this), "frameArea");
    cmdSecOn = Named(new QPushButton("O&n", frameArea), "cmdSecOn");
    cmdSecOff = Named(new QPushButton("O&ff", frameArea), "cmdSecOff");
    cmdClear = Named(new QPushButton("Clea&r", frameArea), "cmdClear");
    frameLine = Named(new QGroupBox(QString::fromStdString(opening.frameLineCaption), this), "frameLine");
    cmdAllOn = Named(new QPushButton("On", frameLine), "cmdAllOn");
    cmdAllOff = Named(new QPushButton("Off", frameLine), "cmdAllOff");
    lblRate = Named(new QLabel("Blink rate:", this), "lblRate");
    hsbBlink = MakeSpeedSlider(this, "hsbBlink");
    lblBlink = Named(new QLabel(this), "lblBlink");
    lblBlink->setMinimumWidth(lblBlink->fontMetrics().horizontalAdvance("SLOWEST") + 8);
    Timer1 = Named(new QTimer(this), "Timer1");
    cmdOk = Named(new QPushButton("&OK", this), "cmdOk");
    cmdCancel = Named(new QPushButton("&Cancel", this), "cmdCancel");
    cmdHelp = Named(new QPushButton("&Help", this), "cmdHelp");
    cmdOk->setDefault(true);

    txtEdit->setLineRtf(m.LineRtf[line_]);
    // The copy is for marking: its characters are selected, never typed over.
    txtEdit->setReadOnly(true);
    txtEdit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const bool tall = GetText(m.LineRtf[line_]).size() > 20 || txtEdit->blockCount() > 1;
    const int lineHeight = txtEdit->fontMetrics().lineSpacing();
    txtEdit->setFixedHeight(tall ? lineHeight * 5 : lineHeight + 14);
    txtEdit->setVerticalScrollBarPolicy(tall ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    txtEdit->setMinimumWidth(txtEdit->fontMetrics().horizontalAdvance(QString(22, QLatin1Char('W'))));

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(optOn);
    top->addWidget(optOff);
    auto* area = new QHBoxLayout(frameArea);
    area->addWidget(cmdSecOn);
    area->addWidget(cmdSecOff);
    area->addWidget(cmdClear);
    auto* whole = new QHBoxLayout(frameLine);
    whole->addWidget(cmdAllOn);
    whole->addWidget(cmdAllOff);
    auto* frames = new QHBoxLayout;
    frames->addWidget(frameArea, 3);
    frames->addWidget(frameLine, 2);
    auto* rate = new QHBoxLayout;
    rate->addWidget(lblRate);
    rate->addWidget(hsbBlink, 1);
    rate->addWidget(lblBlink);
    auto* buttons = ButtonRow({cmdOk, cmdCancel, cmdHelp});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(txtEdit);
    layout->addLayout(frames);
    layout->addLayout(rate);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    hsbBlink->setValue(opening.position);
    lblBlink->setText(QString::fromStdString(SpeedName(opening.position)));
    Timer1->setInterval(opening.interval);
    (opening.on ? optOn : optOff)->setChecked(true);

    connect(cmdSecOn, &QPushButton::clicked, this, [this] { setMarks(false, true); });
    connect(cmdSecOff, &QPushButton::clicked, this, [this] { setMarks(false, false); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { setMarks(true, false); });
    connect(cmdAllOn, &QPushButton::clicked, this, [this] { setMarks(true, true); });
    connect(cmdAllOff, &QPushButton::clicked, this, [this] { setMarks(true, false); });
    connect(optOn, &QRadioButton::toggled, this, [this] { applyOnOff(); });
    connect(hsbBlink, &QSlider::valueChanged, this, [this](int position) {
        lblBlink->setText(QString::fromStdString(SpeedName(position)));
        Timer1->setInterval(std::stoi(RateCode(position)) * 10);
    });
    connect(Timer1, &QTimer::timeout, this, &frmBlink::timer1Tick);
    connect(cmdOk, &QPushButton::clicked, this, &frmBlink::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, 3000); });
    applyOnOff();
    PrepareDialog(*this, ctx);
}

void frmBlink::setMarks(bool wholeLine, bool blinking) {
    QTextCursor selection = txtEdit->textCursor();
    int from = wholeLine ? 0 : selection.selectionStart();
    int to = wholeLine ? txtEdit->document()->characterCount() - 1 : selection.selectionEnd();
    QTextCursor c(txtEdit->document());
    c.beginEditBlock();
    for (int p = from; p < to; ++p) {
        QChar ch = txtEdit->document()->characterAt(p);
        if (ch == QChar::ParagraphSeparator) continue;
        int mark = txtEdit->markAtPosition(p);
        int next = blinking ? blinkingMark(mark, ch) : steadyMark(mark);
        if (next == mark) continue;
        c.setPosition(p);
        c.setPosition(p + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(FormatForMark(next, txtEdit->baseFormat()));
    }
    c.endEditBlock();
    showPreview();
}

void frmBlink::applyOnOff() {
    const bool on = optOn->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(frameArea), static_cast<QWidget*>(frameLine),
                       static_cast<QWidget*>(lblRate), static_cast<QWidget*>(hsbBlink), static_cast<QWidget*>(lblBlink)})
        w->setEnabled(on);
    if (on) {
        Timer1->start();
    } else {
        Timer1->stop();
        hidden_ = false;
        showPreview();
    }
}

void frmBlink::timer1Tick() {
    hidden_ = !hidden_;
    showPreview();
}

void frmBlink::showPreview() {
    // The hidden phase paints the blinking characters in the editor's background colour,
    // over the document, so the marks themselves are untouched.
    QList<QTextEdit::ExtraSelection> extras;
    if (hidden_) {
        const QColor ground = txtEdit->palette().color(QPalette::Base);
        for (QTextBlock b = txtEdit->document()->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                QTextFragment f = it.fragment();
                if (!IsBlinkingMark(MarkOf(f.charFormat()))) continue;
                QTextEdit::ExtraSelection e;
                e.cursor = QTextCursor(txtEdit->document());
                e.cursor.setPosition(f.position());
                e.cursor.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
                e.format.setForeground(ground);
                e.format.setBackground(ground);
                extras.append(e);
            }
        }
    }
    txtEdit->setExtraSelections(extras);
}

void frmBlink::ok() {
    RunGuarded(ctx_, UnexpectedErrorText("Blink"), [this] {
        ApplyBlink(ctx_.session.msg, line_, txtEdit->lineRtf(), optOn->isChecked(), hsbBlink->value());
    });
    if (ctx_.showEdit) ctx_.showEdit();
    if (ctx_.updateSimulation) ctx_.updateSimulation();
    accept();
}

void frmBlink::done(int result) {
    Timer1->stop();
    QDialog::done(result);
}

} // namespace lt
