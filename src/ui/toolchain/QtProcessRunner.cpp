#include "ui/toolchain/QtProcessRunner.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <memory>

#include "ui/toolchain/ToolWaitDialog.h"

namespace lt {

ProcessResult QtProcessRunner::run(const std::string& program, const std::vector<std::string>& arguments,
                                   const std::function<void()>& tick, bool keepResponsive) {
    QProcess process;
    process.setProgram(QString::fromStdString(program));
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    process.setArguments(args);
    // The tools report through their log files; their own output is not read, so it must
    // not be able to fill a pipe and stall them.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

    ProcessResult result;
    process.start();
    if (!process.waitForStarted(-1)) {
        result.errorText = process.errorString().toStdString();
        return result;
    }
    result.started = true;
    // A run inside a run (a viewer started from a box shown during a tool) keeps the outer one.
    QProcess* outerProcess = process_;
    const std::string outerProgram = program_;
    const bool outerStop = stopRequested_;
    process_ = &process;
    program_ = program;
    stopRequested_ = false;

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<ToolWaitDialog> wait;
    bool killed = false;
    while (!process.waitForFinished(100)) {
        if (process.state() == QProcess::NotRunning) break;
        // A window that takes no input shows, after a while, what it waits for and how to
        // end it; that small window then takes the input.
        if (!keepResponsive && !wait && clock.elapsed() >= waitGraceMs_) {
            wait = std::make_unique<ToolWaitDialog>(QFileInfo(QString::fromStdString(program)).fileName(),
                                                    [this] { stop(); });
            wait->show();
        }
        const bool input = keepResponsive || wait;
        QCoreApplication::processEvents(input ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        if (stopRequested_ && !killed && stopClock_.elapsed() >= killGraceMs_) {
            process.kill();
            killed = true;
        }
        if (tick) tick();
    }
    wait.reset();
    if (stopRequested_) {
        result.stopped = true;
        result.exitCode = -1;
    } else if (process.exitStatus() == QProcess::CrashExit) {
        result.crashed = true;
        result.exitCode = -1;
        result.errorText = process.errorString().toStdString();
    } else {
        result.exitCode = process.exitCode();
    }
    process_ = outerProcess;
    program_ = outerProgram;
    stopRequested_ = outerStop;
    return result;
}

void QtProcessRunner::stop() {
    if (!process_ || stopRequested_) return;
    stopRequested_ = true;
    stopClock_.start();
    process_->terminate();
}

} // namespace lt
