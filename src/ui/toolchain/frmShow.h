// The result window of "&Compile..." and "&Program...": the tools' logs, the elapsed
// time, "&Program" / "&View Errors" and "&Close" (which asks a running tool's run to
// stop the window once the tool has ended).
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "toolchain/ResultSink.h"
#include "toolchain/ResultWindowFlow.h"
#include "toolchain/ToolContext.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace lt {

class frmShow : public QDialog, public ResultSink {
    Q_OBJECT
public:
    frmShow(ToolContext& ctx, QWidget* parent = nullptr);

    // "&Compile..." (compile true) and "&Program...": the window shown modally.
    static void openModal(ToolContext& ctx, bool compile, QWidget* parent = nullptr);

    // ResultSink
    void setText(const std::string& text) override;
    std::string text() const override { return text_; }
    void setElapsed(const std::string& value) override;
    void showElapsedLabel(bool visible) override;
    void showElapsedValue(bool visible) override;
    void setProgramButton(const std::string& caption, bool visible) override;
    std::optional<ErrorLink> showTextFile(const std::string& title, const std::string& text,
                                          const std::vector<ErrorLink>& links) override;
    void closeWindow() override;

    const ResultWindowFlow& flow() const { return flow_; }
    // How long a tool may go on after "&Close" before the window offers to end it.
    void setEndGrace(int ms) { endGraceMs_ = ms; }

    QPlainTextEdit* txtShow = nullptr;
    QPushButton* cmdProgram = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblElapsed = nullptr;
    QLabel* lblTime = nullptr;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start();
    // "&Close", Escape and the close box: the cancel request, and when a tool is running,
    // the offer to end it after a short grace.
    void closeRequested();

    ToolContext& ctx_;
    ResultWindowFlow flow_;
    std::string text_;
    bool started_ = false;
    bool closing_ = false;
    int endGraceMs_ = 2000;
    QTimer* endTimer_ = nullptr;
};

} // namespace lt
