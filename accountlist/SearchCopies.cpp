#include "SearchCopies.h"

#include "platform/linux/CredentialChannel.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <utility>

namespace {

constexpr int KillWaitMs = 2000;

QString &programOverride()
{
    static QString path;
    return path;
}

} // namespace

QString SearchProgram()
{
    const QString &path = programOverride();
    return path.isEmpty() ? QCoreApplication::applicationFilePath() : path;
}

void SetSearchProgram(const QString &path) { programOverride() = path; }

SearchCopies::SearchCopies(QObject *parent) : QObject(parent) {}

SearchCopies::~SearchCopies() { stop(); }

void SearchCopies::start(const QStringList &domains, const QStringList &workFiles, int kind,
                         const QString &criteria)
{
    const QString program = SearchProgram();
    m_starting = true;
    for (qsizetype i = 0; i < domains.size(); ++i) {
        if (workFiles.value(i).isEmpty())
            continue;
        auto *process = new QProcess(this);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardInputFile(QProcess::nullDevice());
        connect(process, &QProcess::finished, this, [this, process] { ended(process); });
        const auto failedToStart = [this, process](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                ended(process);
        };
        connect(process, &QProcess::errorOccurred, this, failedToStart);
        m_running.insert(process, workFiles.at(i));
        // A copy running under a proxy account's credentials hands them on,
        // so that its search copies list as that account.
        platform::CredentialHandOn handOn(*process);
        process->start(program, {QStringLiteral("/DOMAIN=") + domains.at(i),
                                 QStringLiteral("/TYPE=") + QString::number(kind),
                                 QStringLiteral("/CRITERIA=") + criteria});
    }
    m_starting = false;
    if (m_running.isEmpty())
        emit allEnded();
}

void SearchCopies::ended(QProcess *process)
{
    if (!m_running.remove(process))
        return; // a failed start can be told twice
    process->deleteLater();
    if (m_starting)
        return; // start() reports once all have been started
    emit copyEnded(running());
    if (m_running.isEmpty())
        emit allEnded();
}

void SearchCopies::stop()
{
    if (m_running.isEmpty())
        return;
    const auto copies = std::exchange(m_running, {});
    for (auto copy = copies.begin(); copy != copies.end(); ++copy) {
        QProcess *process = copy.key();
        process->disconnect(this);
        process->kill();
        process->waitForFinished(KillWaitMs);
        QFile::remove(copy.value());
        delete process;
    }
    emit copyEnded(0);
    emit allEnded();
}
