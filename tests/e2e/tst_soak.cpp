// A seeded random user drives the main window for thousands of steps while a reference
// model follows along (see support_soak.h). LT_SOAK_STEPS and LT_SOAK_SEED choose the
// size and the seed (./dev soak N); a failing run prints the seed and a shrunk replay.
#include <QApplication>
#include <QtTest>
#include <cstdio>
#include <cstdlib>

#include "support_soak.h"

using namespace lt::soak;

namespace {

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoi(v) : fallback;
}

void Soak(unsigned seed, int count, int lineCount) {
    const std::vector<Step> steps = MakeSteps(seed, count);
    Stats stats;
    const auto failure = RunSteps(steps, lineCount, &stats);
    std::string summary = "seed " + std::to_string(seed) + ": " + std::to_string(stats.performed) + " of " +
                          std::to_string(count) + " steps did something, " + std::to_string(stats.fileChecks) +
                          " saved files re-opened and compared;";
    for (const auto& [op, n] : stats.byOp) summary += " " + op + " " + std::to_string(n);
    qInfo("%s", summary.c_str());
    if (!failure) return;
    std::string report = "seed " + std::to_string(seed) + ", " + std::to_string(lineCount) + " lines: after step " +
                         std::to_string(failure->step + 1) + " (" + Describe(steps[failure->step]) + "): " +
                         failure->what + "\nreplay:\n";
    const std::vector<Step> shrunk = Shrink(steps, *failure, 80, lineCount);
    for (const Step& s : shrunk) report += "  " + Describe(s) + "\n";
    std::fputs(report.c_str(), stderr);
    QFAIL(qPrintable(QString::fromStdString(failure->what)));
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void randomUserOnA7780() {
        const int steps = EnvInt("LT_SOAK_STEPS", 6000);
        Soak(static_cast<unsigned>(EnvInt("LT_SOAK_SEED", 7700)), steps, 4);
    }
    void randomUserOnA7740() {
        const int steps = EnvInt("LT_SOAK_STEPS", 6000) / 2;
        Soak(static_cast<unsigned>(EnvInt("LT_SOAK_SEED", 7740)) + 1, steps, 2);
    }
    // LT_SOAK_REPLAY names a file holding a printed replay, one step a line.
    void replay() {
        const char* path = std::getenv("LT_SOAK_REPLAY");
        if (!path || !*path) QSKIP("no replay file given");
        QFile file(QString::fromLocal8Bit(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto steps = ParseSteps(file.readAll().toStdString());
        const auto failure = RunSteps(steps, EnvInt("LT_SOAK_LINES", 4));
        if (failure) QFAIL(qPrintable(QString::fromStdString(failure->what)));
    }
    // The replay is only as good as its determinism: one seed gives one list of steps.
    void stepsFollowFromTheSeed() {
        auto a = MakeSteps(5, 300), b = MakeSteps(5, 300), c = MakeSteps(6, 300);
        QString da, db, dc;
        for (size_t k = 0; k < a.size(); ++k) {
            da += QString::fromStdString(Describe(a[k]));
            db += QString::fromStdString(Describe(b[k]));
            dc += QString::fromStdString(Describe(c[k]));
        }
        QCOMPARE(da, db);
        QVERIFY(da != dc);
        std::string listed;
        for (const Step& s : a) listed += Describe(s) + "\n";
        QString parsed;
        for (const Step& s : ParseSteps(listed)) parsed += QString::fromStdString(Describe(s));
        QCOMPARE(parsed, da);
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
