// Seams for tests: message and input boxes answer from a script and record what
// was shown, the beep is counted, the clock is set by hand.
#pragma once

#include "app/Seams.h"

#include <QCoreApplication>
#include <QList>
#include <QQueue>

namespace testing_support {

struct ShownBox {
    QString text;
    seams::Buttons buttons;
    seams::Icon icon;
    QString title;
};

class ScriptedMessageBox : public seams::MessageBox {
public:
    // Answers given in order; when the script runs out, OK (or No for a question).
    QQueue<seams::Answer> answers;
    QList<ShownBox> shown;
    seams::Answer show(const QString &text, seams::Buttons buttons, seams::Icon icon,
                       const QString &title) override;
};

class ScriptedInputBox : public seams::InputBox {
public:
    QQueue<QString> answers;
    QStringList prompts;
    QString ask(const QString &prompt, const QString &title, const QString &defaultText) override;
};

class CountingBeeper : public seams::Beeper {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

class ManualClock : public seams::Clock {
public:
    QDateTime time = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
    QDateTime now() override { return time; }
};

class CountingEventPump : public seams::EventPump {
public:
    int passes = 0;
    // Whether a pass delivers the queued events (key presses, clicks, closes),
    // as the program's pump does.
    bool deliver = false;
    void processPendingEvents() override
    {
        ++passes;
        if (deliver)
            QCoreApplication::processEvents();
    }
};

class RecordingPointer : public seams::MousePointer {
public:
    QList<seams::Pointer> history;
    void set(seams::Pointer pointer) override { history.append(pointer); }
    seams::Pointer current() const override
    {
        return history.isEmpty() ? seams::Pointer::Default : history.last();
    }
};

// All six, installed on construction, the previous set restored on destruction.
class ScriptedSeams {
public:
    ScriptedSeams();
    ~ScriptedSeams();
    ScriptedMessageBox messageBox;
    ScriptedInputBox inputBox;
    CountingBeeper beeper;
    ManualClock clock;
    CountingEventPump eventPump;
    RecordingPointer pointer;

private:
    seams::Set m_previous;
};

} // namespace testing_support
