// Seams for a run without windows: boxes go to standard error and take their
// default answer, the clock is the system's, events are Qt Core's.
#pragma once

#include "Seams.h"

namespace seams {

class ConsoleMessageBox : public MessageBox {
public:
    Answer show(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
};

class ConsoleInputBox : public InputBox {
public:
    QString ask(const QString &prompt, const QString &title, const QString &defaultText) override;
};

class SilentBeeper : public Beeper {
public:
    void beep() override {}
};

class SystemClock : public Clock {
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};

class CoreEventPump : public EventPump {
public:
    void processPendingEvents() override;
};

class NoPointer : public MousePointer {
public:
    void set(Pointer pointer) override { m_pointer = pointer; }
    Pointer current() const override { return m_pointer; }

private:
    Pointer m_pointer = Pointer::Default;
};

// The windowless set, installed as the default.
Set coreSet();

} // namespace seams
