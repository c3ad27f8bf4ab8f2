#include "ui/dialogs/frmScroll.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "attributes/SpeedScale.h"
#include "ui/dialogs/DialogContext.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/help/HelpViewer.h"

namespace lt {

frmScroll::frmScroll(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx), line_(ctx.currentLine()) {
    const QuickMessage& m = ctx.session.msg;
    setObjectName(QStringLiteral("frmScroll"));
    setWindowTitle(QString::fromStdString(HorizontalScrollCaption(line_)));

    optNo = Named(new QRadioButton("Off", this), "optNo");
    optYes = Named(new QRadioButton("Continuous", this), "optYes");
    optBlock = Named(new QRadioButton("Block by block", this), "optBlock");
    Frame2 = Named(new QGroupBox("Scroll speed", this), "Frame2");
    txtSample = Named(new QLineEdit(Frame2), "txtSample");
    QFont courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    courier.setPointSize(13);
    txtSample->setFont(courier);
    txtSample->setReadOnly(true);
    txtSample->setMaxLength(20);
    txtSample->setFocusPolicy(Qt::ClickFocus);
    txtSample->setFixedWidth(QFontMetrics(courier).horizontalAdvance(QString(20, QLatin1Char('W'))) + 16);
    txtSample->installEventFilter(this);
    hsbRate = MakeSpeedSlider(Frame2, "hsbRate");
    lblSpeed = Named(new QLabel("NORMAL", Frame2), "lblSpeed");
    lblSpeed->setFont(QFont("Arial"));
    lblSpeed->setAlignment(Qt::AlignCenter);
    const RepeatOptions options = MakeRepeatOptions(this, "Scroll until next message ", "Scroll line");
    Frame1 = options.frame;
    optNonstop = options.nonstop;
    optRepeat = options.repeat;
    txtRepeat = options.count;
    lblRepeat = options.times;
    chkLock = options.lock;
    cmdOk = Named(new QPushButton("&OK", this), "cmdOk");
    cmdCancel = Named(new QPushButton("&Cancel", this), "cmdCancel");
    cmdHelp = Named(new QPushButton("&Help", this), "cmdHelp");
    Timer1 = Named(new QTimer(this), "Timer1");
    cmdOk->setDefault(true);

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(optNo);
    kinds->addWidget(optYes);
    kinds->addWidget(optBlock);
    kinds->addStretch();
    auto* speed = new QVBoxLayout(Frame2);
    speed->addWidget(txtSample, 0, Qt::AlignHCenter);
    speed->addWidget(hsbRate);
    speed->addWidget(lblSpeed);
    auto* buttons = ButtonRow({cmdOk, cmdCancel, cmdHelp});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    const HorizontalScrollChoice opened = OpenHorizontalScroll(m, line_);
    sample_.reset();
    txtSample->setText(QString::fromStdString(sample_.window()));
    hsbRate->setValue(opened.position);
    lblSpeed->setText(QString::fromStdString(SpeedName(opened.position)));
    Timer1->setInterval(HorizontalOpeningInterval(m, line_, opened));
    txtRepeat->setText(QString::fromStdString(opened.repeatText));
    (opened.repeatLine ? optRepeat : optNonstop)->setChecked(true);
    chkLock->setChecked(opened.lock);
    switch (opened.kind) {
    case HorizontalKind::Off: optNo->setChecked(true); break;
    case HorizontalKind::Continuous: optYes->setChecked(true); break;
    case HorizontalKind::Block: optBlock->setChecked(true); break;
    }

    connect(optNo, &QRadioButton::clicked, this, &frmScroll::applyKind);
    connect(optYes, &QRadioButton::clicked, this, [this] {
        Timer1->setInterval(HorizontalSampleInterval(kind(), hsbRate->value()));
        applyKind();
    });
    connect(optBlock, &QRadioButton::clicked, this, [this] {
        Timer1->setInterval(HorizontalSampleInterval(kind(), hsbRate->value()));
        applyKind();
    });
    connect(optNonstop, &QRadioButton::clicked, this, [this] {
        chkLock->setChecked(false);
        applyRepeat();
    });
    connect(optRepeat, &QRadioButton::clicked, this, &frmScroll::applyRepeat);
    connect(hsbRate, &QSlider::valueChanged, this, [this](int position) {
        lblSpeed->setText(QString::fromStdString(SpeedName(position)));
        Timer1->setInterval(HorizontalSampleInterval(kind(), position));
    });
    connect(Timer1, &QTimer::timeout, this, &frmScroll::timer1Tick);
    connect(cmdOk, &QPushButton::clicked, this, &frmScroll::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, 3400); });
    applyKind();
    PrepareDialog(*this, ctx);
}

HorizontalKind frmScroll::kind() const {
    if (optYes->isChecked()) return HorizontalKind::Continuous;
    if (optBlock->isChecked()) return HorizontalKind::Block;
    return HorizontalKind::Off;
}

void frmScroll::applyKind() {
    const bool on = kind() != HorizontalKind::Off;
    for (QWidget* w : {static_cast<QWidget*>(hsbRate), static_cast<QWidget*>(lblSpeed),
                       static_cast<QWidget*>(txtSample), static_cast<QWidget*>(optNonstop),
                       static_cast<QWidget*>(optRepeat), static_cast<QWidget*>(lblRepeat)})
        w->setEnabled(on);
    if (on) {
        Timer1->start();
    } else {
        Timer1->stop();
    }
    applyRepeat();
}

void frmScroll::applyRepeat() {
    const bool counted = kind() != HorizontalKind::Off && optRepeat->isChecked();
    txtRepeat->setEnabled(counted);
    chkLock->setEnabled(counted);
}

void frmScroll::timer1Tick() { txtSample->setText(QString::fromStdString(sample_.tick(kind()))); }

bool frmScroll::eventFilter(QObject* watched, QEvent* event) {
    // The sample takes no keys; a click into it gives the focus to the slider.
    if (watched == txtSample && (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress)) {
        hsbRate->setFocus();
        return event->type() == QEvent::KeyPress;
    }
    return QDialog::eventFilter(watched, event);
}

void frmScroll::ok() {
    HorizontalScrollChoice choice;
    choice.kind = kind();
    choice.position = hsbRate->value();
    choice.repeatLine = optRepeat->isChecked();
    choice.repeatText = txtRepeat->text().toStdString();
    choice.lock = chkLock->isChecked();
    ScrollResult result;
    if (!RunGuarded(ctx_, UnexpectedErrorText("Horizontal Scroll"),
                    [&] { result = ApplyHorizontalScroll(ctx_.session.msg, line_, choice); }))
        return;
    if (result.outcome == ScrollOutcome::Refused) {
        ctx_.session.ui.messageBox(Box(result.message));
        return;
    }
    Timer1->stop();
    if (result.outcome == ScrollOutcome::LongMessage) AskLongMessage(*this, ctx_);
    AcceptAndRefresh(*this, ctx_);
}

void frmScroll::done(int result) {
    Timer1->stop();
    QDialog::done(result);
}

} // namespace lt
