#include "CredentialChannel.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QProcess>
#include <QProcessEnvironment>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char **environ;

namespace platform {

namespace {

constexpr quint32 Magic = 0x56434831; // "VCH1"
// Far more than a handover needs, and less than a pipe holds, so that the
// whole handover is written before the new process starts.
constexpr qsizetype MaxHandover = 32 * 1024;

std::optional<DirectoryCredentials> &inherited()
{
    static std::optional<DirectoryCredentials> credentials;
    return credentials;
}

QByteArray encode(const CredentialHandover &handover)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << Magic << handover.credentials.domain << handover.credentials.user
        << handover.credentials.password << handover.testSteps;
    return bytes;
}

std::optional<CredentialHandover> decode(const QByteArray &bytes)
{
    QDataStream in(bytes);
    quint32 magic = 0;
    CredentialHandover handover;
    in >> magic >> handover.credentials.domain >> handover.credentials.user
        >> handover.credentials.password >> handover.testSteps;
    if (magic != Magic || in.status() != QDataStream::Ok)
        return std::nullopt;
    return handover;
}

void wipe(QByteArray &bytes)
{
    std::memset(bytes.data(), 0, std::size_t(bytes.size()));
}

// A pipe holding the handover, its writing end already closed: the read end
// (close-on-exec), or -1.
int filledPipe(const CredentialHandover &handover)
{
    QByteArray bytes = encode(handover);
    int ends[2];
    if (bytes.size() > MaxHandover || ::pipe2(ends, O_CLOEXEC) != 0) {
        wipe(bytes);
        return -1;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(ends[1], bytes.constData() + written,
                                  std::size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += n;
    }
    wipe(bytes);
    ::close(ends[1]);
    if (written == bytes.size())
        return ends[0];
    ::close(ends[0]);
    return -1;
}

QByteArray readToEnd(int fd)
{
    QByteArray bytes;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || bytes.size() + n > MaxHandover)
            break;
        bytes.append(chunk, n);
    }
    std::memset(chunk, 0, sizeof chunk);
    return bytes;
}

// This process's environment with the variable naming `fd`.
std::vector<std::string> environmentWith(int fd)
{
    const std::string prefix = std::string(CredentialFdVariable) + '=';
    std::vector<std::string> entries;
    for (char **entry = environ; entry && *entry; ++entry) {
        if (std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0)
            entries.emplace_back(*entry);
    }
    entries.push_back(prefix + std::to_string(fd));
    return entries;
}

} // namespace

std::optional<CredentialHandover> receiveCredentials()
{
    const QByteArray variable = qgetenv(CredentialFdVariable);
    if (variable.isEmpty())
        return std::nullopt;
    ::unsetenv(CredentialFdVariable); // the pipe is this process's alone
    bool ok = false;
    const int fd = variable.toInt(&ok);
    struct stat info {};
    // Only a pipe is read: a stale number may name any other file by now.
    if (!ok || fd < 3 || ::fstat(fd, &info) != 0 || !S_ISFIFO(info.st_mode))
        return std::nullopt;
    QByteArray bytes = readToEnd(fd);
    ::close(fd);
    auto handover = decode(bytes);
    wipe(bytes);
    if (handover && !handover->credentials.user.isEmpty())
        inherited() = handover->credentials;
    else
        handover.reset();
    return handover;
}

const DirectoryCredentials *inheritedCredentials()
{
    return inherited() ? &*inherited() : nullptr;
}

qint64 startWithCredentials(const QString &program, const CredentialHandover &handover)
{
    const int readEnd = filledPipe(handover);
    if (readEnd < 0)
        return -1;
    // Inherited by the child only: nothing else is started in between.
    ::fcntl(readEnd, F_SETFD, 0);
    std::vector<std::string> environment = environmentWith(readEnd);
    std::vector<char *> envp;
    for (std::string &entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const QByteArray path = program.toLocal8Bit();
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, path.constData(), nullptr, nullptr, argv, envp.data());
    ::close(readEnd);
    return failed ? -1 : qint64(pid);
}

CredentialHandOn::CredentialHandOn(QProcess &process)
{
    if (const DirectoryCredentials *credentials = inheritedCredentials())
        open(process, {*credentials, {}});
}

CredentialHandOn::CredentialHandOn(QProcess &process, const CredentialHandover &handover)
{
    open(process, handover);
}

void CredentialHandOn::open(QProcess &process, const CredentialHandover &handover)
{
    m_readEnd = filledPipe(handover);
    if (m_readEnd < 0)
        return;
    QProcessEnvironment environment = process.processEnvironment();
    if (environment.isEmpty())
        environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(CredentialFdVariable), QString::number(m_readEnd));
    process.setProcessEnvironment(environment);
    // In the child between fork and exec: this pipe alone survives the exec.
    const int fd = m_readEnd;
    process.setChildProcessModifier([fd] { ::fcntl(fd, F_SETFD, 0); });
}

CredentialHandOn::~CredentialHandOn()
{
    if (m_readEnd >= 0)
        ::close(m_readEnd);
}

} // namespace platform
