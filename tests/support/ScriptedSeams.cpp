#include "ScriptedSeams.h"

namespace testing_support {

seams::Answer ScriptedMessageBox::show(const QString &text, seams::Buttons buttons,
                                       seams::Icon icon, const QString &title)
{
    shown.append({text, buttons, icon, title});
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == seams::YesNo ? seams::No : seams::Ok;
}

QString ScriptedInputBox::ask(const QString &prompt, const QString &, const QString &)
{
    prompts.append(prompt);
    return answers.isEmpty() ? QString() : answers.dequeue();
}

ScriptedSeams::ScriptedSeams() : m_previous(seams::current())
{
    seams::install({&messageBox, &inputBox, &beeper, &clock, &eventPump, &pointer});
}

ScriptedSeams::~ScriptedSeams() { seams::install(m_previous); }

} // namespace testing_support
