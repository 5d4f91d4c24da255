#include "ShowResult.h"

#include "OleColor.h"
#include "PictureBox.h"
#include "TaskWindow.h"
#include "WindowTexts.h"

#include "app/ActivityLog.h"
#include "app/AppContext.h"
#include "app/Seams.h"

#include <QLabel>
#include <QPalette>

namespace {

constexpr OleColor SuccessColor = 32768;  // green
constexpr OleColor FailureColor = 255;    // red
constexpr OleColor ResultTextColor = 16777215;
// Where the shared progress bar rests between tasks: no block filled.
constexpr int32_t ProgressAtRest = 1;

void setTextColor(QLabel *label, OleColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ole::toQColor(color));
    label->setPalette(palette);
}

void showResultMode(TaskWindow &window, bool success, const QString &target,
                    const QString &action, const QString &object, const QStringList &details)
{
    window.IMAGE_Info->setVisible(false);
    if (!action.isEmpty() && !object.isEmpty())
        Write_Log(target, action, object, success, details[0], details[1], details[2],
                  details[3], details[4]);
    window.IMAGE_Success->setVisible(success);
    window.IMAGE_Fail->setVisible(!success);
    window.PICTURE_Status->setBackColor(success ? SuccessColor : FailureColor);
    setTextColor(window.LABEL_Status, ResultTextColor);
    setTextColor(window.LABEL_Stamp, ResultTextColor);
    appContext().SharedProgress().setValue(ProgressAtRest);
    seams::setPointer(seams::Pointer::Default);
    window.LABEL_Stamp->setText(Time_Text(seams::now().time()));
    seams::beep();
}

void showHintMode(TaskWindow &window)
{
    if (window.IMAGE_Success->isVisibleTo(&window))
        window.IMAGE_Success->setVisible(false);
    if (window.IMAGE_Fail->isVisibleTo(&window))
        window.IMAGE_Fail->setVisible(false);
    window.IMAGE_Info->setVisible(true);
    const AppContext &context = appContext();
    if (window.PICTURE_Status->backColor() != context.PanelColor) {
        window.PICTURE_Status->setBackColor(context.PanelColor);
        setTextColor(window.LABEL_Status, context.PanelTextColor);
        setTextColor(window.LABEL_Stamp, context.PanelTextColor);
    }
    ProgressIndicator &progress = appContext().SharedProgress();
    if (progress.value() != ProgressAtRest)
        progress.setValue(ProgressAtRest);
    if (!window.LABEL_Stamp->text().isEmpty())
        window.LABEL_Stamp->clear();
    seams::setPointer(seams::Pointer::Default);
}

} // namespace

void Show_Result(TaskWindow &window, const QString &text, bool success, bool hintMode,
                 const QString &target, const QString &action, const QString &object,
                 const QString &detail1, const QString &detail2, const QString &detail3,
                 const QString &detail4, const QString &detail5)
{
    window.LABEL_Status->setText(text);
    if (hintMode)
        showHintMode(window);
    else
        showResultMode(window, success, target, action, object,
                       {detail1, detail2, detail3, detail4, detail5});
}
