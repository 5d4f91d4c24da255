#include "HelperProcess.h"

#include "app/ProgramFolder.h"
#include "app/Seams.h"

#include <QDateTime>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace {

constexpr int StartMs = 5000;
constexpr int KillMs = 2000;
// How often the bound is looked at; the helper's end is seen at once.
constexpr int TickMs = 20;

} // namespace

QString Helper_Folder() { return HelperFolder(); }

HelperOutcome Run_Helper(const QString &program, const QStringList &arguments, int boundSeconds,
                         const std::function<bool()> &stop)
{
    HelperOutcome outcome;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted(StartMs))
        return outcome;
    outcome.started = true;

    const QDateTime deadline = seams::now().addSecs(boundSeconds);
    QTimer tick;
    tick.setInterval(TickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (seams::now() >= deadline || (stop && stop()))
            loop.quit();
    });
    tick.start();
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    tick.stop();

    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(KillMs);
        return outcome;
    }
    outcome.ended = process.exitStatus() == QProcess::NormalExit;
    outcome.exitCode = process.exitCode();
    outcome.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return outcome;
}
