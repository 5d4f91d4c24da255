#include "frmNTProxy.h"

#include "ProxyLogon.h"
#include "ProxyRights.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "directory/AccountRead.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("Settings");
constexpr int32_t NoController = -9;
constexpr int32_t UserNotFound = 2221;
constexpr int32_t UserAccount = 0;

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit *textBox(const char *name)
{
    auto *box = named(new QLineEdit, name);
    box->setMinimumWidth(200);
    return box;
}

} // namespace

const QString frmNTProxy::Title = QStringLiteral("NT Proxy User");

frmNTProxy::frmNTProxy(QWidget *parent)
    : QWidget(parent),
      FRAME_ProxyUser(named(new QGroupBox(QStringLiteral(" Proxy User ")), "FRAME_ProxyUser")),
      LABEL_Domain(named(new QLabel(QStringLiteral("Domain:")), "LABEL_Domain")),
      TEXT_Domain(textBox("TEXT_Domain")),
      LABEL_Name(named(new QLabel(QStringLiteral("Name:")), "LABEL_Name")),
      TEXT_UserName(textBox("TEXT_UserName")),
      LABEL_Password(named(new QLabel(QStringLiteral("Password:")), "LABEL_Password")),
      TEXT_Password(textBox("TEXT_Password")),
      BUTTON_Login(named(new QPushButton(QStringLiteral("&Login >>")), "BUTTON_Login"))
{
    setObjectName(QStringLiteral("frmNTProxy"));
    setWindowTitle(Title);
    LABEL_Proxy[0] = named(new QLabel(QStringLiteral("NOTE: Designed for NT 4.0")), "LABEL_Proxy");
    LABEL_Proxy[1] = named(new QLabel(QStringLiteral(
                               "Varnel has the ability to use a proxy user account to inherit "
                               "rights in the domain specified below.")),
                           "LABEL_Proxy");
    LABEL_Proxy[1]->setWordWrap(true);
    TEXT_Password->setEchoMode(QLineEdit::Password);
    BUTTON_Login->setToolTip(QStringLiteral("Login Using Proxy Account"));

    auto *fields = new QFormLayout;
    fields->addRow(LABEL_Domain, TEXT_Domain);
    fields->addRow(LABEL_Name, TEXT_UserName);
    fields->addRow(LABEL_Password, TEXT_Password);
    auto *frame = new QVBoxLayout(FRAME_ProxyUser);
    frame->addWidget(LABEL_Proxy[0]);
    frame->addWidget(LABEL_Proxy[1]);
    frame->addLayout(fields);
    frame->addWidget(BUTTON_Login, 0, Qt::AlignRight);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FRAME_ProxyUser);

    for (QLineEdit *box : {TEXT_Domain, TEXT_UserName, TEXT_Password})
        box->installEventFilter(this);
    connect(BUTTON_Login, &QPushButton::clicked, this, &frmNTProxy::BUTTON_Login_Click);
    Form_Load();
}

void frmNTProxy::Form_Load()
{
    TEXT_Domain->setText(GetSetting(Section, QStringLiteral("ProxyDomain")));
    TEXT_UserName->setText(GetSetting(Section, QStringLiteral("ProxyUserName")));
    // Taken when the window first becomes active.
    if (!TEXT_Domain->text().isEmpty() && !TEXT_UserName->text().isEmpty())
        TEXT_Password->setFocus();
}

void frmNTProxy::Form_Activate()
{
    seams::doEvents();
    if (!TEXT_Domain->text().isEmpty() && !TEXT_UserName->text().isEmpty())
        TEXT_Password->setFocus();
}

void frmNTProxy::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    SaveSetting(Section, QStringLiteral("ProxyDomain"), TEXT_Domain->text());
    SaveSetting(Section, QStringLiteral("ProxyUserName"), TEXT_UserName->text());
}

bool frmNTProxy::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

bool frmNTProxy::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        static_cast<QLineEdit *>(watched)->selectAll();
    return QWidget::eventFilter(watched, event);
}

void frmNTProxy::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmNTProxy::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

bool frmNTProxy::refuseAccount(int32_t status)
{
    QLineEdit *field = status == NoController ? TEXT_Domain
                       : status == UserNotFound ? TEXT_UserName
                                                : nullptr;
    if (!field)
        return false;
    seams::setPointer(seams::Pointer::Default);
    seams::messageBox(Get_ErrorText(status), seams::OkOnly, seams::Critical,
                      AppTitle + QStringLiteral(" : Proxy Account Problem"));
    field->setFocus();
    return true;
}

void frmNTProxy::BUTTON_Login_Click()
{
    seams::setPointer(seams::Pointer::Wait);
    QString user = TEXT_UserName->text().trimmed();
    QString domain = TEXT_Domain->text().trimmed();
    QString lookedUp = user;
    if (refuseAccount(Check_Account(lookedUp, domain, UserAccount, false)))
        return;
    QString password = TEXT_Password->text().trimmed();
    int32_t token = 0;
    QString program = ProxyProgram();
    const int32_t started = Logon_Proxy(user, domain, password, program, token);
    password.fill(u'\0');
    if (started != 0) {
        // The copy under the proxy account carries on; this one ends now,
        // keeping the entries for next time.
        Form_Unload();
        End_Program();
        return;
    }
    seams::setPointer(seams::Pointer::Default);
    offerRightsSetUp(domain, user);
}

void frmNTProxy::offerRightsSetUp(QString &domain, QString &user)
{
    const seams::Answer answer = seams::messageBox(
        QStringLiteral("Either your local rights are not correctly configured\n"
                       "the proxy account specified is invalid.\n\n"
                       "Would you like to automatically configure your\n"
                       "system to allow proxy user token access?"),
        seams::YesNo, seams::Question, AppTitle + QStringLiteral(" : Please Confirm"));
    if (answer == seams::Yes)
        Configure_ProxyRights(domain, user);
}
