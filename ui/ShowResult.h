// The outcome panel of a task window.
#pragma once

#include <QString>

class TaskWindow;

// Hint mode (hintMode true): the information image, the hint colours, the
// progress bar back at its start, no time stamp; nothing is logged and
// nothing sounds. Result mode: the success or failure image, green or red
// with white text, one activity-log line when both action and object are
// given, the progress bar back at its start, the default pointer, the time
// of day in the stamp, a beep. `target` goes to the log writer, which does
// not write it.
void Show_Result(TaskWindow &window, const QString &text, bool success, bool hintMode,
                 const QString &target, const QString &action, const QString &object,
                 const QString &detail1 = {}, const QString &detail2 = {},
                 const QString &detail3 = {}, const QString &detail4 = {},
                 const QString &detail5 = {});
