// Small helpers of the task-window tests.
#pragma once

#include "FakeDirectory.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

namespace testing_support {

// Shown and active, so that focus changes deliver their events at once.
inline bool activate(QWidget &window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// An access key (Alt and the underlined letter) clicks its button a moment
// later, once events run; false when the click is not over in time.
[[nodiscard]] inline bool pressAccessKey(QWidget *window, Qt::Key key, QAbstractButton *button)
{
    QTest::keyClick(window, key, Qt::AltModifier);
    return QTest::qWaitFor([button] { return !button->isDown(); });
}

// Space on the focused box or option: what a click on its indicator does (a
// click at the centre of a stretched box can miss it).
inline void toggle(QAbstractButton *button)
{
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
}

inline QColor textColor(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

// The activity log's lines, without their CR LF ends.
inline QStringList logLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// The servers (or targets) of the recorded calls of one function, in order.
inline QStringList callServers(const FakeDirectory &net, const std::string &function)
{
    QStringList servers;
    for (const FakeCall &call : net.calls) {
        if (call.function == function)
            servers << QString::fromStdString(call.server);
    }
    return servers;
}

inline QStringList callTargets(const FakeDirectory &net, const std::string &function)
{
    QStringList targets;
    for (const FakeCall &call : net.calls) {
        if (call.function == function)
            targets << QString::fromStdString(call.target);
    }
    return targets;
}

} // namespace testing_support
