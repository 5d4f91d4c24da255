// The seams over Qt: real message and input boxes, the system beep, the system
// clock, the event loop and the screen's mouse pointer.
#pragma once

#include "app/Seams.h"

namespace seams {

class QtMessageBox : public MessageBox {
public:
    Answer show(const QString &text, Buttons buttons, Icon icon, const QString &title) override;
};

class QtInputBox : public InputBox {
public:
    QString ask(const QString &prompt, const QString &title, const QString &defaultText) override;
};

class QtBeeper : public Beeper {
public:
    void beep() override;
};

class QtClock : public Clock {
public:
    QDateTime now() override;
};

class QtEventPump : public EventPump {
public:
    void processPendingEvents() override;
};

// The hourglass is one override cursor for the whole application, pushed once
// however often it is asked for and popped when the default comes back.
class QtMousePointer : public MousePointer {
public:
    void set(Pointer pointer) override;
    Pointer current() const override { return m_pointer; }

private:
    Pointer m_pointer = Pointer::Default;
};

// The production set; the objects live until the process ends.
Set qtSeams();

} // namespace seams
