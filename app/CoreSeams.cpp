#include "CoreSeams.h"

#include <QCoreApplication>
#include <cstdio>

namespace seams {

Answer ConsoleMessageBox::show(const QString &text, Buttons buttons, Icon, const QString &title)
{
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
    return buttons == YesNo ? No : (buttons == OkCancel ? Cancel : Ok);
}

QString ConsoleInputBox::ask(const QString &prompt, const QString &title, const QString &)
{
    std::fprintf(stderr, "%s: %s (no input without a window)\n", qUtf8Printable(title),
                 qUtf8Printable(prompt));
    return {};
}

void CoreEventPump::processPendingEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

Set coreSet()
{
    static ConsoleMessageBox messageBox;
    static ConsoleInputBox inputBox;
    static SilentBeeper beeper;
    static SystemClock clock;
    static CoreEventPump pump;
    static NoPointer pointer;
    return {&messageBox, &inputBox, &beeper, &clock, &pump, &pointer};
}

} // namespace seams
