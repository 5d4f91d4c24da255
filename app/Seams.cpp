#include "Seams.h"
#include "CoreSeams.h"

namespace seams {

Set &current()
{
    static Set set = coreSet();
    return set;
}

void install(const Set &set) { current() = set; }

Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    return current().messageBox->show(text, buttons, icon, title);
}

QString inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    return current().inputBox->ask(prompt, title, defaultText);
}

void beep() { current().beeper->beep(); }

QDateTime now() { return current().clock->now(); }

void doEvents() { current().eventPump->processPendingEvents(); }

void setPointer(Pointer pointer) { current().mousePointer->set(pointer); }

} // namespace seams
