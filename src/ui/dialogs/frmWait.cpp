#include "ui/dialogs/frmWait.h"

#include <QCheckBox>
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

frmWait::frmWait(DialogContext& ctx) : QDialog(ctx.parent), ctx_(ctx), line_(ctx.currentLine()) {
    const QuickMessage& m = ctx.session.msg;
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle("Vertical scroll ");

    Label1 = MakeHeading(this, "Vertical scroll");
    optOff = Named(new QRadioButton("Off", this), "optOff");
    optOn = Named(new QRadioButton("On", this), "optOn");
    Frame2 = Named(new QGroupBox("Scroll speed", this), "Frame2");
    hsbRate = MakeSpeedSlider(Frame2, "hsbRate");
    lblSpeed = Named(new QLabel(Frame2), "lblSpeed");
    lblSpeed->setAlignment(Qt::AlignCenter);
    QFont courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    courier.setPointSize(13);
    auto* sampleBox = new QFrame(Frame2);
    sampleBox->setFrameShape(QFrame::StyledPanel);
    sampleBox->setAutoFillBackground(true);
    sampleBox->setBackgroundRole(QPalette::Base);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    for (int i = 0; i < 2; ++i) {
        lblSample[i] = Named(new QLabel(sampleBox), i == 0 ? "lblSample0" : "lblSample1");
        lblSample[i]->setFont(courier);
        lblSample[i]->setFixedWidth(QFontMetrics(courier).horizontalAdvance(QString(20, QLatin1Char('W'))));
        sampleLayout->addWidget(lblSample[i]);
    }
    const RepeatOptions options = MakeRepeatOptions(this, "Scroll until next message", "Scroll lines");
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

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(optOn);
    top->addWidget(optOff);
    auto* speed = new QVBoxLayout(Frame2);
    speed->addWidget(sampleBox, 0, Qt::AlignHCenter);
    speed->addWidget(hsbRate);
    speed->addWidget(lblSpeed);
    auto* buttons = ButtonRow({cmdOk, cmdCancel, cmdHelp});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Frame2);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    const VerticalOpening opened = OpenVerticalScroll(m, line_);
    hsbRate->setValue(opened.choice.position);
    lblSpeed->setText(QString::fromStdString(opened.speedLabel));
    Timer1->setInterval(opened.interval);
    txtRepeat->setText(QString::fromStdString(opened.choice.repeatText));
    (opened.choice.repeatLine ? optRepeat : optNonstop)->setChecked(true);
    chkLock->setChecked(opened.choice.lock);
    (opened.choice.on ? optOn : optOff)->setChecked(true);

    connect(optOn, &QRadioButton::clicked, this, [this] {
        sample_.reset();
        applyOnOff();
    });
    connect(optOff, &QRadioButton::clicked, this, &frmWait::applyOnOff);
    connect(optRepeat, &QRadioButton::clicked, this, &frmWait::applyRepeat);
    connect(optNonstop, &QRadioButton::clicked, this, [this] {
        chkLock->setChecked(false);
        applyRepeat();
    });
    connect(hsbRate, &QSlider::valueChanged, this, [this](int position) {
        lblSpeed->setText(QString::fromStdString(SpeedName(position)));
        Timer1->setInterval(BlockInterval(position));
    });
    connect(Timer1, &QTimer::timeout, this, &frmWait::timer1Tick);
    connect(cmdOk, &QPushButton::clicked, this, &frmWait::ok);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, 3900); });
    applyOnOff();
    PrepareDialog(*this, ctx);
}

void frmWait::applyOnOff() {
    const bool on = optOn->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(hsbRate), static_cast<QWidget*>(lblSpeed),
                       static_cast<QWidget*>(optRepeat), static_cast<QWidget*>(optNonstop),
                       static_cast<QWidget*>(lblRepeat)})
        w->setEnabled(on);
    if (on) {
        Timer1->start();
    } else {
        sample_.clear();
        Timer1->stop();
    }
    showSample();
    applyRepeat();
}

void frmWait::applyRepeat() {
    const bool counted = optOn->isChecked() && optRepeat->isChecked();
    txtRepeat->setEnabled(counted);
    chkLock->setEnabled(counted);
}

void frmWait::timer1Tick() {
    sample_.tick();
    showSample();
}

void frmWait::showSample() {
    lblSample[0]->setText(QString::fromStdString(sample_.first()));
    lblSample[1]->setText(QString::fromStdString(sample_.second()));
}

void frmWait::ok() {
    VerticalScrollChoice choice;
    choice.on = optOn->isChecked();
    choice.position = hsbRate->value();
    choice.repeatLine = optRepeat->isChecked();
    choice.repeatText = txtRepeat->text().toStdString();
    choice.lock = chkLock->isChecked();
    VerticalResult result;
    if (!RunGuarded(ctx_, UnexpectedErrorText("Vertical Scroll"),
                    [&] { result = ApplyVerticalScroll(ctx_.session.msg, line_, choice); }))
        return;
    if (result.outcome == ScrollOutcome::Refused) {
        ctx_.session.ui.messageBox(Box(result.message));
        return;
    }
    Timer1->stop();
    if (result.newCurrentLine && ctx_.setCurrentLine) ctx_.setCurrentLine(result.newCurrentLine);
    if (result.outcome == ScrollOutcome::LongMessage) AskLongMessage(*this, ctx_);
    AcceptAndRefresh(*this, ctx_);
}

void frmWait::done(int result) {
    Timer1->stop();
    QDialog::done(result);
}

} // namespace lt
