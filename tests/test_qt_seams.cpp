// The Qt side of the seams and list controls: real boxes answer as the
// Windows constants say, the hourglass is pushed once and popped once, and the
// list controls read back what the shared routines put in.
#include "app/AppContext.h"
#include "app/DomainList.h"
#include "tests/support/TestPlatform.h"
#include "ui/GuiStartup.h"
#include "ui/ListControls.h"
#include "ui/QtSeams.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs `answer` on the first modal box that appears, then lets it close.
void whenModalAppears(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

} // namespace

class TestQtSeams : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsAndAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("qtButtons");
        QTest::addColumn<int>("qtIcon");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK, exclamation, default title")
            << int(seams::OkOnly) << int(seams::Exclamation) << QString()
            << int(QMessageBox::Ok) << int(QMessageBox::Ok) << int(QMessageBox::Warning)
            << "Varnel" << int(seams::Ok);
        QTest::newRow("Yes answered") << int(seams::YesNo) << int(seams::Question)
                                      << "Varnel : Please Confirm" << int(QMessageBox::Yes)
                                      << int(QMessageBox::Yes | QMessageBox::No)
                                      << int(QMessageBox::Question)
                                      << "Varnel : Please Confirm" << int(seams::Yes);
        QTest::newRow("No answered") << int(seams::YesNo) << int(seams::Question) << "T"
                                     << int(QMessageBox::No)
                                     << int(QMessageBox::Yes | QMessageBox::No)
                                     << int(QMessageBox::Question) << "T" << int(seams::No);
        QTest::newRow("Cancel answered")
            << int(seams::OkCancel) << int(seams::Critical) << "T" << int(QMessageBox::Cancel)
            << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Critical) << "T"
            << int(seams::Cancel);
        QTest::newRow("information") << int(seams::OkOnly) << int(seams::Information) << "T"
                                     << int(QMessageBox::Ok) << int(QMessageBox::Ok)
                                     << int(QMessageBox::Information) << "T" << int(seams::Ok);
    }

    void messageBoxShowsAndAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(QString, title);
        QFETCH(int, press);
        QFETCH(int, qtButtons);
        QFETCH(int, qtIcon);
        QFETCH(QString, shownTitle);
        QFETCH(int, answer);
        SeenBox seen;
        whenModalAppears([&seen, press](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box)
                return;
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->button(QMessageBox::StandardButton(press))->click();
        });
        seams::QtMessageBox messageBox;
        const seams::Answer given = messageBox.show("Line one\n\nLine two",
                                                    seams::Buttons(buttons), seams::Icon(icon),
                                                    title);
        QCOMPARE(int(given), answer);
        QCOMPARE(seen.title, shownTitle);
        QCOMPARE(seen.text, QStringLiteral("Line one\n\nLine two"));
        QCOMPARE(int(seen.icon), qtIcon);
        QCOMPARE(int(seen.buttons), qtButtons);
    }

    void inputBoxGivesTheTextOrNothingWhenCancelled_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("result");
        QTest::newRow("OK") << true << "typed";
        QTest::newRow("Cancel") << false << "";
    }

    void inputBoxGivesTheTextOrNothingWhenCancelled()
    {
        QFETCH(bool, accept);
        QFETCH(QString, result);
        QString title;
        QString shownDefault;
        whenModalAppears([&, accept](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            if (!dialog)
                return;
            title = dialog->windowTitle();
            shownDefault = dialog->textValue();
            dialog->setTextValue("typed");
            accept ? dialog->accept() : dialog->reject();
        });
        seams::QtInputBox inputBox;
        QCOMPARE(inputBox.ask("Name?", QString(), "first"), result);
        QCOMPARE(title, QStringLiteral("Varnel"));
        QCOMPARE(shownDefault, QStringLiteral("first"));
    }

    void hourglassIsPushedOnceAndPoppedOnce()
    {
        seams::QtMousePointer pointer;
        QVERIFY(!QGuiApplication::overrideCursor());
        pointer.set(seams::Pointer::Wait);
        pointer.set(seams::Pointer::Wait);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QCOMPARE(pointer.current(), seams::Pointer::Wait);
        pointer.set(seams::Pointer::Default);
        QVERIFY(!QGuiApplication::overrideCursor());
        pointer.set(seams::Pointer::Default);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(pointer.current(), seams::Pointer::Default);
    }

    void comboAndListControlsHoldWhatIsAdded()
    {
        testing_support::TestPlatform platform;
        appContext().DomainList = {"ENG", "SALES", "HR"};
        QComboBox combo;
        QListWidget list;
        ComboListControl first(&combo);
        ListWidgetControl second(&list);
        Load_DomainList(first, true, &second);
        const QStringList expected{"ENG", "HR", "SALES", "\\\\My Computer"};
        for (ListControl *control : {static_cast<ListControl *>(&first),
                                     static_cast<ListControl *>(&second)}) {
            QStringList items;
            for (int i = 0; i < control->count(); ++i)
                items << control->item(i);
            QCOMPARE(items, expected);
            QCOMPARE(control->item(control->count()), QString());
        }
        QCOMPARE(combo.itemText(3), QStringLiteral("\\\\My Computer"));
        QCOMPARE(list.item(0)->text(), QStringLiteral("ENG"));
        first.clear();
        second.clear();
        QCOMPARE(combo.count(), 0);
        QCOMPARE(list.count(), 0);
    }

    void startupShowsOneMainWindowWithTheRegisteredTaskWindows()
    {
        testing_support::TestPlatform platform;
        QVERIFY(!mainWindow());
        registerTaskWindow("MENUOPT_DelUser", [] { return new QWidget; });
        showMainWindow();
        frmVarnel *window = mainWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->menuItem("MENUOPT_DelUser")->isEnabled());
        QVERIFY(!window->menuItem("MENUOPT_DelGroup")->isEnabled());

        registerTaskWindow("MENUOPT_DelGroup", [] { return new QWidget; });
        QVERIFY(window->menuItem("MENUOPT_DelGroup")->isEnabled());
        showMainWindow();
        QCOMPARE(mainWindow(), window);
        delete window;
        QVERIFY(!mainWindow());
    }
};

QTEST_MAIN(TestQtSeams)
#include "test_qt_seams.moc"
