// The optional arguments Opt1 ... Opt10 of a directory command. A caller gives
// a value for each argument its command reads and leaves the others absent.
#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

using CommandArgument = std::optional<QVariant>;
// Opt1 first; positions past the end are absent.
using CommandArguments = std::vector<CommandArgument>;

// Reads arguments by position (1 to 10) as the command's table says: a text
// or a flag. An argument that is absent, or that cannot be read as what is
// asked, marks the reading as failed (the command then returns -1 without a
// directory call).
class ArgumentReader {
public:
    explicit ArgumentReader(const CommandArguments &arguments) : m_arguments(arguments) {}
    QString text(int position);
    // A text the command may do without: empty when absent.
    QString optionalText(int position);
    bool flag(int position);
    bool failed() const { return m_failed; }

private:
    const QVariant *at(int position);

    const CommandArguments &m_arguments;
    bool m_failed = false;
};
