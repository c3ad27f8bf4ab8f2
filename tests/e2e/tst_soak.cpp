// A seeded random user drives the main window for thousands of steps while a reference
// model follows along (see support_soak.h). LT_SOAK_STEPS and LT_SOAK_SEED choose the
// size and the seed (./dev soak N); a failing run prints the seed and the shrunk list of
// steps that still fails.
#include <QApplication>
#include <QtTest>
#include <cstdio>
#include <cstdlib>

#include "support_soak.h"

using namespace lt::soak;

namespace {

// The offscreen platform says on every popup and dialog that it cannot grab or raise.
QtMessageHandler testLog = nullptr;
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (testLog) testLog(type, context, message);
}

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

void Soak(unsigned seed, int count, int lineCount) {
    const std::vector<Step> steps = MakeSteps(seed, count);
    Stats stats;
    const auto failure = RunSteps(steps, lineCount, &stats);
    std::string byOp;
    for (const auto& [op, n] : stats.byOp) byOp += " " + op + " " + std::to_string(n);
    qInfo("seed %u: %d of %d steps did something, %d saved files re-opened and compared, %d dialogs worked;%s",
          seed, stats.performed, count, stats.fileChecks, stats.dialogs, byOp.c_str());
    if (!failure) return;
    std::fprintf(stderr, "seed %u, %d lines: after step %zu (%s): %s\n", seed, lineCount, failure->step + 1,
                 Describe(steps[failure->step]).c_str(), failure->what.c_str());
    const std::vector<Step> shrunk = Shrink(steps, *failure, EnvInt("LT_SOAK_SHRINK_SECONDS", 120), lineCount);
    std::fputs("shrunk to:\n", stderr);
    for (const Step& s : shrunk) std::fprintf(stderr, "  %s\n", Describe(s).c_str());
    QFAIL(qPrintable(QString::fromStdString(failure->what)));
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testLog = qInstallMessageHandler(QuietPlatform); }
    void randomUserOnA7780() { Soak(EnvInt("LT_SOAK_SEED", 7700), EnvInt("LT_SOAK_STEPS", 6000), 4); }
    void randomUserOnA7740() { Soak(EnvInt("LT_SOAK_SEED", 7740) + 1u, EnvInt("LT_SOAK_STEPS", 6000) / 2, 2); }
};

// A long soak (./dev soak) runs for as long as it takes.
int main(int argc, char** argv) {
    qputenv("QTEST_FUNCTION_TIMEOUT", "864000000");
    QApplication app(argc, argv);
    TestSoak test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_soak.moc"
