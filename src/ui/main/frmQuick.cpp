#include "ui/main/frmQuick.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "quickedit/EditState.h"
#include "toolchain/ToolContext.h"
#include "ui/toolchain/QtProcessRunner.h"
#include "ui/widgets/LineEditor.h"
#include "ui/widgets/SimulationDisplay.h"

namespace lt {

namespace {

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

StepScrollBar* stepper(QWidget* parent, const char* name, int min, int max, int height) {
    auto* bar = named(new StepScrollBar(Qt::Vertical, parent), name);
    bar->setRange(min, max);
    bar->setPageStep(1);
    bar->setSingleStep(1);
    bar->setFixedSize(18, height);
    return bar;
}

QPushButton* attributeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = named(new QPushButton(QString::fromLatin1(caption), parent), name);
    b->setMinimumWidth(150);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmQuick::frmQuick(Session& session, QWidget* parent)
    : QMainWindow(parent), s_(session), files_(session, *this) {
    setObjectName(QStringLiteral("frmQuick"));
    setWindowTitle(QStringLiteral("Lumatext 7700 - New"));
    createControls();
    layoutControls();
    setupMenus();
    connectControls();
    installStatusHelp();
    setupTools();
    setupButtons();
    setupTyping();
    setupEditCommands();
    setupScriptEdit();
}

frmQuick::~frmQuick() = default;

void frmQuick::createControls() {
    pnlQuick = named(new QWidget(this), "pnlQuick");
    cmdAdvEdit = named(new QPushButton(QStringLiteral("Script Edit"), pnlQuick), "cmdAdvEdit");
    cmdAdvEdit->setMinimumWidth(150);
    cmdAdvEdit->setAutoDefault(false);
    txtMsg = named(new QLineEdit(pnlQuick), "txtMsg");
    txtMsg->setMaxLength(4);
    txtMsg->setFixedWidth(64);
    txtMsg->setAlignment(Qt::AlignRight);
    vsbMsg = stepper(pnlQuick, "vsbMsg", 0, 1023, 30);
    Label2 = named(new QLabel(QStringLiteral("Message"), pnlQuick), "Label2");
    vsbTask = stepper(pnlQuick, "vsbTask", 0, 3, 30);
    txtTask = named(new QLineEdit(pnlQuick), "txtTask");
    txtTask->setMaxLength(1);
    txtTask->setFixedWidth(34);
    txtTask->setAlignment(Qt::AlignRight);
    Label1 = named(new QLabel(QStringLiteral("Task"), pnlQuick), "Label1");
    lblLine = named(new QLabel(QStringLiteral("Edit Line"), pnlQuick), "lblLine");
    vsbLine = stepper(pnlQuick, "vsbLine", 1, 4, 34);
    vsbLine->setValue(1);
    txtLine = named(new QLineEdit(pnlQuick), "txtLine");
    txtLine->setMaxLength(1);
    txtLine->setFixedWidth(34);
    txtLine->setAlignment(Qt::AlignRight);
    txtEdit = named(new LineEditor(pnlQuick), "txtEdit");
    txtEdit->setFixedHeight(38);
    txtEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    SSFrame1 = named(new QGroupBox(QStringLiteral("Line Attributes"), pnlQuick), "SSFrame1");
    cmdBlink = attributeButton(SSFrame1, "cmdBlink", "Blink");
    cmdVar = attributeButton(SSFrame1, "cmdVar", "Variable...");
    lblAttribute = named(new QLabel(SSFrame1), "lblAttribute");
    lblAttribute->setAlignment(Qt::AlignCenter);
    lblAttribute->setMinimumWidth(150);
    cmdFont = attributeButton(SSFrame1, "cmdFont", "Font");
    cmdCenter = attributeButton(SSFrame1, "cmdCenter", "Center justify");
    cmdScroll = attributeButton(SSFrame1, "cmdScroll", "Horizontal scroll ");

    Frame3D4 = named(new QGroupBox(QStringLiteral("Display Attributes"), pnlQuick), "Frame3D4");
    cmdClrScreen = attributeButton(Frame3D4, "cmdClrScreen", "Clear screen");
    cmdRelay = attributeButton(Frame3D4, "cmdRelay", "Relay ");
    cmdStart = attributeButton(Frame3D4, "cmdStart", "Start message");
    cmdWait = attributeButton(Frame3D4, "cmdWait", "Vertical scroll");
    cmdSend = attributeButton(Frame3D4, "cmdSend", "Send msg");

    frameDisplay = new SimulationDisplay(pnlQuick);
    Label4 = named(new QLabel(pnlQuick), "Label4");
    Label5 = named(new QLabel(pnlQuick), "Label5");

    txtAdvEdit = named(new QPlainTextEdit(this), "txtAdvEdit");
    txtAdvEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtAdvEdit->setVisible(false); // its font is chosen when Script Edit first shows
    txtAdvEdit->setEnabled(false);

    Line1 = named(new QFrame(this), "Line1");
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    lblStatBar = named(new QLabel(this), "lblStatBar");
    lblStatBar->setMinimumHeight(22);
    lblStatBar->setTextFormat(Qt::PlainText);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(500);
    Timer2 = named(new QTimer(this), "Timer2");
    Timer2->setInterval(500);
}

void frmQuick::layoutControls() {
    auto* top = new QHBoxLayout;
    top->addWidget(cmdAdvEdit);
    top->addSpacing(24);
    top->addWidget(txtMsg);
    top->addWidget(vsbMsg);
    top->addWidget(Label2);
    top->addWidget(Label4, 1);
    top->addWidget(Label1);
    top->addWidget(vsbTask);
    top->addWidget(txtTask);

    auto* line = new QHBoxLayout;
    lblLine->setMinimumWidth(90);
    line->addWidget(lblLine);
    line->addWidget(vsbLine);
    line->addWidget(txtLine);
    line->addSpacing(12);
    line->addWidget(txtEdit, 1);

    auto* grid = new QGridLayout(SSFrame1);
    grid->setHorizontalSpacing(16);
    grid->addWidget(cmdBlink, 0, 0);
    grid->addWidget(cmdVar, 0, 1);
    grid->addWidget(lblAttribute, 0, 2);
    grid->addWidget(cmdFont, 1, 0);
    grid->addWidget(cmdCenter, 1, 1);
    grid->addWidget(cmdScroll, 1, 2);

    auto* stack = new QVBoxLayout(Frame3D4);
    for (QPushButton* b : {cmdClrScreen, cmdRelay, cmdStart, cmdWait, cmdSend}) stack->addWidget(b);
    stack->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Frame3D4);
    bottom->addWidget(frameDisplay, 1);

    auto* quick = new QVBoxLayout(pnlQuick);
    quick->setContentsMargins(0, 0, 0, 0);
    quick->addLayout(line);
    quick->addWidget(SSFrame1);
    quick->addLayout(bottom);
    quick->addWidget(Label5);
    Label5->setFixedHeight(0);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(12, 10, 12, 6);
    outer->setSpacing(8);
    auto* topHolder = new QWidget(central);
    topHolder->setLayout(top);
    top->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(topHolder);
    outer->addWidget(pnlQuick, 1);
    outer->addWidget(txtAdvEdit, 1);
    outer->addWidget(Line1);
    outer->addWidget(lblStatBar);
    setCentralWidget(central);
}

void frmQuick::connectControls() {
    connect(txtMsg, &QLineEdit::returnPressed, this, &frmQuick::onMsgReturn);
    connect(vsbMsg, &QScrollBar::valueChanged, this, &frmQuick::onMsgScroll);
    connect(txtLine, &QLineEdit::textChanged, this, &frmQuick::onLineText);
    connect(vsbLine, &QScrollBar::valueChanged, this, &frmQuick::onLineScroll);
    connect(txtTask, &QLineEdit::textChanged, this, &frmQuick::onTaskText);
    connect(vsbTask, &QScrollBar::valueChanged, this, &frmQuick::onTaskScroll);
    connect(txtEdit, &QTextEdit::textChanged, this, &frmQuick::writeBackLine);
    connect(Timer1, &QTimer::timeout, this, &frmQuick::onTimer1);
    connect(Timer2, &QTimer::timeout, this, &frmQuick::onTimer2);
    connect(frameDisplay, &SimulationDisplay::rowClicked, this, &frmQuick::onDisplayRowClicked);
    connect(frameDisplay, &SimulationDisplay::rowHovered, this, [this](int row) {
        setStatus(QString::fromStdString(SimulationModel::rowStatusText(s_, row)));
    });
    for (QLineEdit* box : {txtMsg, txtLine, txtTask}) box->installEventFilter(this);
    txtEdit->installEventFilter(this);
    for (QLabel* label : {Label1, Label2, lblLine}) label->installEventFilter(this);
    Timer2->start();
}

void frmQuick::setStatus(const QString& text) { lblStatBar->setText(text); }

void frmQuick::closeEvent(QCloseEvent* event) {
    if (files_.AskSaveChanges(true)) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace lt
