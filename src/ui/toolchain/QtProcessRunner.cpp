#include "ui/toolchain/QtProcessRunner.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

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
    const auto events = keepResponsive ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    while (!process.waitForFinished(100)) {
        if (process.state() == QProcess::NotRunning) break;
        QCoreApplication::processEvents(events);
        if (tick) tick();
    }
    if (process.exitStatus() == QProcess::CrashExit) {
        result.exitCode = -1;
        result.errorText = process.errorString().toStdString();
    } else {
        result.exitCode = process.exitCode();
    }
    return result;
}

} // namespace lt
