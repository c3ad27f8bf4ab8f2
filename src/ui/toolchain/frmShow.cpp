#include "ui/toolchain/frmShow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "common/TextLines.h"
#include "ui/toolchain/TextFileDialog.h"

namespace lt {

namespace {

QString toQt(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    s.replace("\r\n", "\n");
    return s;
}

} // namespace

frmShow::frmShow(ToolContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx), flow_(ctx, *this) {
    setObjectName("frmShow");
    setWindowTitle("Lumatext 7700");
    txtShow = new QPlainTextEdit(this);
    txtShow->setObjectName("txtShow");
    txtShow->setReadOnly(true);
    txtShow->installEventFilter(this);
    cmdProgram = new QPushButton("&Program", this);
    cmdProgram->setObjectName("cmdProgram");
    cmdProgram->setAutoDefault(false);
    cmdProgram->hide();
    cmdProgram->setEnabled(false);
    cmdClose = new QPushButton("&Close", this);
    cmdClose->setObjectName("cmdClose");
    lblElapsed = new QLabel("Elapsed Time:", this);
    lblElapsed->setObjectName("lblElapsed");
    lblTime = new QLabel(this);
    lblTime->setObjectName("lblTime");
    lblTime->setMinimumWidth(lblTime->fontMetrics().horizontalAdvance("00:00") + 8);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblElapsed);
    bottom->addWidget(lblTime);
    bottom->addStretch();
    bottom->addWidget(cmdProgram);
    bottom->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtShow);
    layout->addLayout(bottom);
    resize(560, 340);

    endTimer_ = new QTimer(this);
    endTimer_->setSingleShot(true);
    connect(endTimer_, &QTimer::timeout, this, [this] { flow_.offerToEndTool(); });
    connect(cmdClose, &QPushButton::clicked, this, &frmShow::closeRequested);
    connect(cmdProgram, &QPushButton::clicked, this, [this] { flow_.programButton(); });
}

void frmShow::openModal(ToolContext& ctx, bool compile, QWidget* parent) {
    try {
        ctx.s.tools.compileMode = compile;
        frmShow window(ctx, parent);
        window.exec();
    } catch (const std::exception&) {
        ctx.s.tools.busy = false;
        ctx.s.ui.messageBox(Box("Unexpected error in module Show. Try to restart the program or Windows operating "
                                "system.",
                                Buttons::Ok, Icon::Exclamation));
    }
}

void frmShow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    // The runs start once the window is on the screen, inside its own event loop.
    QTimer::singleShot(0, this, &frmShow::start);
}

void frmShow::start() {
    try {
        flow_.shown();
    } catch (const std::exception&) {
        ctx_.s.tools.busy = false;
        ctx_.s.ui.messageBox(Box("Unexpected error in module Show. Try to restart the program or Windows operating "
                                 "system.",
                                 Buttons::Ok, Icon::Exclamation));
        closeWindow();
    }
}

void frmShow::setText(const std::string& text) {
    text_ = text;
    txtShow->setPlainText(toQt(text));
    txtShow->repaint();
}

void frmShow::setElapsed(const std::string& value) {
    lblTime->setText(QString::fromStdString(value));
    lblTime->repaint();
}

void frmShow::showElapsedLabel(bool visible) { lblElapsed->setVisible(visible); }
void frmShow::showElapsedValue(bool visible) { lblTime->setVisible(visible); }

void frmShow::setProgramButton(const std::string& caption, bool visible) {
    cmdProgram->setText(QString::fromStdString(caption));
    cmdProgram->setVisible(visible);
    cmdProgram->setEnabled(visible);
}

std::optional<ErrorLink> frmShow::showTextFile(const std::string& title, const std::string& text,
                                              const std::vector<ErrorLink>& links) {
    QStringList lines;
    for (const std::string& line : SplitLines(text)) lines << toQt(line);
    TextFileDialog viewer(QString::fromStdString(title), lines, links, this);
    viewer.exec();
    return viewer.chosen();
}

void frmShow::closeRequested() {
    flow_.closeButton();
    if (!closing_ && ctx_.s.tools.busy && !endTimer_->isActive()) endTimer_->start(endGraceMs_);
}

void frmShow::closeWindow() {
    endTimer_->stop();
    closing_ = true;
    QDialog::done(QDialog::Rejected);
}

void frmShow::reject() {
    // Escape and the close box act as "&Close".
    if (closing_) {
        QDialog::reject();
        return;
    }
    closeRequested();
}

void frmShow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    closeRequested();
}

bool frmShow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtShow && event->type() == QEvent::FocusIn && cmdClose->isEnabled() && cmdClose->isVisible())
        QTimer::singleShot(0, cmdClose, qOverload<>(&QWidget::setFocus));
    return QDialog::eventFilter(watched, event);
}

} // namespace lt
