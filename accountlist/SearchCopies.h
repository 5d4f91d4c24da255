// The windowless copies of an account search: one copy of the program per
// domain, all started at once, each tracked as a process, so that the window
// learns the moment one ends instead of counting windows on a timer.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

// The program the copies run: this program's own executable, unless a test
// or a benchmark has named another build of it (an empty text goes back).
QString SearchProgram();
void SetSearchProgram(const QString &path);

class SearchCopies : public QObject {
    Q_OBJECT

public:
    explicit SearchCopies(QObject *parent = nullptr);
    // Ends whatever still runs, as stop() does.
    ~SearchCopies() override;

    // Starts one copy per domain with "/DOMAIN=", "/TYPE=" and "/CRITERIA="
    // as separate arguments (no shell). `workFiles` holds each domain's work
    // file; a domain without one, or whose copy cannot be started, counts as
    // ended at once.
    void start(const QStringList &domains, const QStringList &workFiles, int kind,
               const QString &criteria);
    int running() const { return int(m_running.size()); }

    // Kills the copies still running, waits for them, removes their work
    // files, and reports that all have ended.
    void stop();

signals:
    // After each end: how many copies still run.
    void copyEnded(int stillRunning);
    void allEnded();

private:
    void ended(QProcess *process);

    QHash<QProcess *, QString> m_running; // process -> its work file
    bool m_starting = false;
};
