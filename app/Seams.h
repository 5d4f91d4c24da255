// Small seams around what a person sees and hears, and around time, so that the
// logic can be driven by tests: message and input boxes, the beep, the clock,
// the pump of pending window events and the mouse pointer. Production installs
// Qt implementations; tests install scripted ones that record what was shown.
#pragma once

#include <QDateTime>
#include <QString>

namespace seams {

// Message-box styles and answers, with the values of the Windows constants so
// that a style reads the same here as in the platform's documentation.
enum Buttons { OkOnly = 0, OkCancel = 1, YesNo = 4 };
enum Icon { NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows a modal box; an empty title means the application title.
    virtual Answer show(const QString &text, Buttons buttons, Icon icon,
                        const QString &title) = 0;
};

class InputBox {
public:
    virtual ~InputBox() = default;
    // The text typed, or empty when cancelled.
    virtual QString ask(const QString &prompt, const QString &title,
                        const QString &defaultText) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Lets pending window events run (one pass of the message loop).
    virtual void processPendingEvents() = 0;
};

enum class Pointer { Default, Wait };

class MousePointer {
public:
    virtual ~MousePointer() = default;
    // Sets the pointer for the whole screen.
    virtual void set(Pointer pointer) = 0;
    virtual Pointer current() const = 0;
};

struct Set {
    MessageBox *messageBox = nullptr;
    InputBox *inputBox = nullptr;
    Beeper *beeper = nullptr;
    Clock *clock = nullptr;
    EventPump *eventPump = nullptr;
    MousePointer *mousePointer = nullptr;
};

// The seams in use; the installer keeps ownership. Until something is
// installed, windowless defaults answer (see CoreSeams.h).
Set &current();
void install(const Set &set);

Answer messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title = {});
QString inputBox(const QString &prompt, const QString &title, const QString &defaultText = {});
void beep();
QDateTime now();
void doEvents();
void setPointer(Pointer pointer);

} // namespace seams
