#include "QtSeams.h"

#include "app/AppContext.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace seams {

namespace {

QString boxTitle(const QString &title) { return title.isEmpty() ? AppTitle : title; }

QMessageBox::Icon toQtIcon(Icon icon)
{
    switch (icon) {
    case Critical:
        return QMessageBox::Critical;
    case Question:
        return QMessageBox::Question;
    case Exclamation:
        return QMessageBox::Warning;
    case Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons toQtButtons(Buttons buttons)
{
    switch (buttons) {
    case OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

Answer toAnswer(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return Cancel;
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    default:
        return Ok;
    }
}

} // namespace

Answer QtMessageBox::show(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    QMessageBox box(toQtIcon(icon), boxTitle(title), text, toQtButtons(buttons),
                    QApplication::activeWindow());
    return toAnswer(box.exec());
}

QString QtInputBox::ask(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), boxTitle(title),
                                               prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

void QtBeeper::beep() { QApplication::beep(); }

QDateTime QtClock::now() { return QDateTime::currentDateTime(); }

void QtEventPump::processPendingEvents() { QCoreApplication::processEvents(); }

void QtMousePointer::set(Pointer pointer)
{
    if (pointer == m_pointer)
        return;
    if (pointer == Pointer::Wait)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    m_pointer = pointer;
}

Set qtSeams()
{
    static QtMessageBox messageBox;
    static QtInputBox inputBox;
    static QtBeeper beeper;
    static QtClock clock;
    static QtEventPump pump;
    static QtMousePointer pointer;
    return {&messageBox, &inputBox, &beeper, &clock, &pump, &pointer};
}

} // namespace seams
