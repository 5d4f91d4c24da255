// The command dispatcher: exact matching, the fixed values each command
// implies, absent arguments, and the soft delete's random password.
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/RandomPassword.h"
#include "support/DirectoryTestBed.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace testing_support;
namespace uf = platform::uf;

Q_DECLARE_METATYPE(CommandArguments)

namespace {

QStringList functionsCalled(const FakeDirectory &net)
{
    QStringList functions;
    for (const FakeCall &call : net.calls) {
        if (call.function != "NetGetDCName")
            functions << QString::fromStdString(call.function + "/" + std::to_string(call.level));
    }
    return functions;
}

void populate(FakeDirectory &net)
{
    net.addUser("jdoe", "Old#Pass1", 513 | uf::Lockout).fullName = "John Doe";
    net.addUser("WS01$", "ws01", 4097);
    net.addGlobalGroup("Staff", {"jdoe"});
    net.addLocalGroup("Users");
    net.addLocalGroup("Access");
}

bool hasEachClass(const QString &password)
{
    return password.contains(QRegularExpression("[A-Z]"))
        && password.contains(QRegularExpression("[a-z]"))
        && password.contains(QRegularExpression("[0-9]"))
        && password.contains(QRegularExpression("[^A-Za-z0-9]"));
}

} // namespace

class CommandDispatcherTest : public QObject {
    Q_OBJECT
private slots:
    void eachCommandMakesItsCall_data();
    void eachCommandMakesItsCall();
    void unknownCommandGivesMinusOneWithoutAnyCall_data();
    void unknownCommandGivesMinusOneWithoutAnyCall();
    void absentArgumentACommandNeedsGivesMinusOneWithoutAnyCall();
    void unreadableFlagGivesMinusOne();
    void flagsMayComeAsText();
    void threeComputerAddCommandsHaveTheSameEffect();
    void passwordCommandWithoutPasswordWritesNothing();
    void softDeleteWithEmptyNameDisablesAndBlanksWithoutRenaming();
    void softDeleteRenamesWhenGivenAName();
    void softDeletePasswordIsFreshAndComplex();
    void reuseTakesASoftDeletedAccountBackIntoUse();
    void viewModifyUserRewritesEveryProperty();
    void computerRenameComesBackWithoutDollar();
    void generatedPasswordsMeetComplexity();
};

void CommandDispatcherTest::eachCommandMakesItsCall_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("account");
    QTest::addColumn<CommandArguments>("options");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("result");
    const auto args = [](std::initializer_list<CommandArgument> list) {
        return CommandArguments(list);
    };
    QTest::newRow("NT Add Group.01 global")
        << "NT Add Group.01" << "Auditors" << args({"who audits", false})
        << QStringList{"NetGroupAdd/1"} << 0;
    QTest::newRow("NT Add Group.01 local")
        << "NT Add Group.01" << "Auditors" << args({"who audits", true})
        << QStringList{"NetLocalGroupAdd/1"} << 0;
    QTest::newRow("NT Add User Account.02")
        << "NT Add User Account.02" << "asmith"
        << args({"Ann Smith", "Pass#word1", "logon.bat", "Sales", "desk", false})
        << QStringList{"NetUserAdd/3"} << 0;
    QTest::newRow("NT Delete Computer Account.01")
        << "NT Delete Computer Account.01" << "ws01" << args({})
        << QStringList{"NetUserDel/0"} << 0;
    QTest::newRow("NT Delete Group.01 global")
        << "NT Delete Group.01" << "Staff" << args({false}) << QStringList{"NetGroupDel/0"}
        << 0;
    QTest::newRow("NT Delete Group.01 local")
        << "NT Delete Group.01" << "Users" << args({true}) << QStringList{"NetLocalGroupDel/0"}
        << 0;
    QTest::newRow("NT Delete User Account.02")
        << "NT Delete User Account.02" << "jdoe" << args({}) << QStringList{"NetUserDel/0"}
        << 0;
    QTest::newRow("NT View/Modify Computer Account.01")
        << "NT View/Modify Computer Account.01" << "ws01" << args({"SALES\\jdoe"})
        << QStringList({"NetUserGetInfo/1", "NetUserSetInfo/1"}) << 0;
    QTest::newRow("NT View/Modify Computer Account.02")
        << "NT View/Modify Computer Account.02" << "ws01" << args({"ws02"})
        << QStringList({"NetUserGetInfo/1", "NetUserSetInfo/0"}) << 0;
    QTest::newRow("NT View/Modify Computer Account.03")
        << "NT View/Modify Computer Account.03" << "ws01" << args({})
        << QStringList{"NetUserDel/0"} << 0;
    QTest::newRow("NT View/Modify Group.01")
        << "NT View/Modify Group.01" << "jdoe" << args({"Staff", false})
        << QStringList{"NetGroupDelUser/0"} << 0;
    QTest::newRow("NT View/Modify Group.02")
        << "NT View/Modify Group.02" << "ENG\\jdoe" << args({"Users", true})
        << QStringList{"NetLocalGroupAddMembers/3"} << 0;
    QTest::newRow("NT View/Modify User Account.02")
        << "NT View/Modify User Account.02" << "jdoe" << args({"jdoe2"})
        << QStringList({"NetUserGetInfo/3", "NetUserSetInfo/0"}) << 0;
    QTest::newRow("NT View/Modify User Account.03")
        << "NT View/Modify User Account.03" << "jdoe" << args({true, "New#Pass2"})
        << QStringList({"NetUserGetInfo/3", "NetUserSetInfo/3"}) << 0;
    QTest::newRow("Tarn Group Access.01")
        << "Tarn Group Access.01" << "ENG\\jdoe" << args({"Access"})
        << QStringList{"NetLocalGroupAddMembers/3"} << 0;
    QTest::newRow("Tarn Group Access.02")
        << "Tarn Group Access.02" << "ENG\\jdoe" << args({"Access"})
        << QStringList{"NetLocalGroupDelMembers/3"} << platform::status::MemberNotInAlias;
}

void CommandDispatcherTest::eachCommandMakesItsCall()
{
    QFETCH(QString, command);
    QFETCH(QString, account);
    QFETCH(CommandArguments, options);
    DirectoryTestBed bed;
    populate(bed.net);
    QTEST(Execute_Command(command, account, "SALES", options), "result");
    QTEST(functionsCalled(bed.net), "calls");
    for (const FakeCall &call : bed.net.calls) {
        if (call.function != "NetGetDCName")
            QCOMPARE(call.server, std::string("\\\\DC1"));
    }
}

void CommandDispatcherTest::unknownCommandGivesMinusOneWithoutAnyCall_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("lower case") << "nt add group.01";
    QTest::newRow("unknown suffix") << "NT Add Group.02";
    QTest::newRow("trailing blank") << "NT Add Group.01 ";
    QTest::newRow("empty") << "";
    QTest::newRow("another window") << "NT Account List.01";
}

void CommandDispatcherTest::unknownCommandGivesMinusOneWithoutAnyCall()
{
    QFETCH(QString, command);
    DirectoryTestBed bed;
    QString name = "Auditors";
    QCOMPARE(Execute_Command(command, name, "SALES", {"x", false}), directory_result::Failure);
    QVERIFY(bed.net.calls.empty());
    QCOMPARE(name, "Auditors");
}

void CommandDispatcherTest::absentArgumentACommandNeedsGivesMinusOneWithoutAnyCall()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QString name = "Auditors";
    QCOMPARE(Execute_Command("NT Add Group.01", name, "SALES", {"who audits"}),
             directory_result::Failure);
    QCOMPARE(Execute_Command("NT Add Group.01", name, "SALES", {std::nullopt, false}),
             directory_result::Failure);
    QCOMPARE(Execute_Command("NT Add Group.01", name, "SALES", {QVariant(), false}),
             directory_result::Failure);
    name = "jdoe";
    QCOMPARE(Execute_Command("NT View/Modify User Account.01", name, "SALES",
                             {"", "", "", "", "", "", false, false, false}),
             directory_result::Failure);
    QVERIFY(bed.net.calls.empty());
    // Arguments a command does not read may be absent.
    name = "jdoe";
    QCOMPARE(Execute_Command("NT Delete User Account.02", name, "SALES"), 0);
}

void CommandDispatcherTest::unreadableFlagGivesMinusOne()
{
    DirectoryTestBed bed;
    QString name = "Auditors";
    QCOMPARE(Execute_Command("NT Add Group.01", name, "", {"x", "maybe"}),
             directory_result::Failure);
    QCOMPARE(Execute_Command("NT Add Group.01", name, "", {QVariant::fromValue(QStringList{}),
                                                           false}),
             directory_result::Failure);
    QVERIFY(bed.net.calls.empty());
}

void CommandDispatcherTest::flagsMayComeAsText()
{
    DirectoryTestBed bed;
    QString name = "Auditors";
    QCOMPARE(Execute_Command("NT Add Group.01", name, "", {"x", "True"}), 0);
    QVERIFY(bed.net.localGroup("Auditors"));
    name = "Readers";
    QCOMPARE(Execute_Command("NT Add Group.01", name, "", {"x", 0}), 0);
    QVERIFY(bed.net.globalGroup("Readers"));
}

void CommandDispatcherTest::threeComputerAddCommandsHaveTheSameEffect()
{
    const QStringList commands{"NT Add Computer Account.01", "NT Add User Account.03",
                               "NT View/Modify Computer Account.04"};
    for (const QString &command : commands) {
        DirectoryTestBed bed;
        QString name = "ws07";
        QCOMPARE(Execute_Command(command, name, "SALES", {"SALES\\jdoe"}), 0);
        QCOMPARE(name, "WS07");
        const platform::UserInfo3 *machine = bed.net.user("WS07$");
        QVERIFY2(machine, qPrintable(command));
        QCOMPARE(machine->flags, uint32_t(4097));
        QCOMPARE(machine->comment, std::string("SALES\\jdoe"));
        QCOMPARE(bed.net.passwordOf("WS07$"), std::string("ws07"));
        QCOMPARE(functionsCalled(bed.net), QStringList{"NetUserAdd/1"});
    }
}

void CommandDispatcherTest::passwordCommandWithoutPasswordWritesNothing()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QString name = "jdoe";
    QCOMPARE(Execute_Command("NT View/Modify User Account.03", name, "SALES", {true, ""}), 0);
    QCOMPARE(functionsCalled(bed.net), QStringList{"NetUserGetInfo/3"});
    QCOMPARE(bed.net.user("jdoe")->passwordExpired, 0u);
    name = "nobody";
    QCOMPARE(Execute_Command("NT View/Modify User Account.03", name, "SALES", {true, ""}),
             platform::status::UserNotFound);
}

void CommandDispatcherTest::softDeleteWithEmptyNameDisablesAndBlanksWithoutRenaming()
{
    DirectoryTestBed bed;
    populate(bed.net);
    platform::UserInfo3 &user = *bed.net.user("jdoe");
    user.profile = "\\\\files\\profiles\\jdoe";
    user.homeDir = "\\\\files\\jdoe";
    user.homeDirDrive = "H:";
    user.scriptPath = "logon.bat";
    user.usrComment = "desk 4";
    user.flags |= uf::DontExpirePasswd | uf::PasswdCantChange;
    QString name = "jdoe";
    QCOMPARE(Execute_Command("NT Delete User Account.01", name, "SALES", {""}), 0);
    // The stripping write, then the group clean-up, and no rename.
    const QStringList calls = functionsCalled(bed.net);
    QCOMPARE(calls.mid(0, 2), QStringList({"NetUserGetInfo/3", "NetUserSetInfo/3"}));
    QVERIFY(!calls.contains("NetUserSetInfo/0"));
    const platform::UserInfo3 &after = *bed.net.user("jdoe");
    QCOMPARE(after.name, std::string("jdoe"));
    QCOMPARE(after.fullName, std::string("Disabled"));
    QCOMPARE(after.comment, std::string("Disabled"));
    QCOMPARE(after.profile, std::string());
    QCOMPARE(after.homeDir, std::string());
    QCOMPARE(after.homeDirDrive, std::string());
    QCOMPARE(after.scriptPath, std::string());
    QCOMPARE(after.usrComment, std::string());
    QCOMPARE(after.flags, uint32_t(513 | uf::AccountDisable));
    QCOMPARE(after.passwordExpired, 0u);
    QVERIFY(bed.net.passwordOf("jdoe") != "Old#Pass1");
}

void CommandDispatcherTest::softDeleteRenamesWhenGivenAName()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QString name = "jdoe";
    QCOMPARE(Execute_Command("NT Delete User Account.01", name, "SALES", {"%jdoe"}), 0);
    QVERIFY(bed.net.user("%jdoe"));
    QVERIFY(!bed.net.user("jdoe"));
    QCOMPARE(bed.net.user("%jdoe")->flags & uf::AccountDisable, uint32_t(uf::AccountDisable));
}

void CommandDispatcherTest::softDeletePasswordIsFreshAndComplex()
{
    DirectoryTestBed bed;
    bed.net.addUser("a", "Old#Pass1");
    bed.net.addUser("b", "Old#Pass1");
    QString a = "a";
    QString b = "b";
    QCOMPARE(Execute_Command("NT Delete User Account.01", a, "", {""}), 0);
    QCOMPARE(Execute_Command("NT Delete User Account.01", b, "", {""}), 0);
    const QString first = QString::fromStdString(bed.net.passwordOf("a"));
    const QString second = QString::fromStdString(bed.net.passwordOf("b"));
    QVERIFY(first != "Old#Pass1");
    QVERIFY(first != second); // no word shared by every stripped account
    QVERIFY(first.size() >= 16);
    QVERIFY(hasEachClass(first));
    QVERIFY(hasEachClass(second));
    // Never shown: nothing reached a message box.
    QVERIFY(bed.seams.messageBox.shown.isEmpty());
}

void CommandDispatcherTest::reuseTakesASoftDeletedAccountBackIntoUse()
{
    DirectoryTestBed bed;
    bed.net.addUser("%jdoe", "x", 513 | uf::AccountDisable).fullName = "Disabled";
    QString name = "%jdoe";
    QCOMPARE(Execute_Command("NT Add User Account.01", name, "SALES",
                             {"Sales", "John Doe", "logon.bat", "desk 4", true, "New#Pass2",
                              "jdoe"}),
             0);
    const platform::UserInfo3 *user = bed.net.user("jdoe");
    QVERIFY(user);
    QCOMPARE(user->flags, uint32_t(513));
    QCOMPARE(user->comment, std::string("Sales"));
    QCOMPARE(user->fullName, std::string("John Doe"));
    QCOMPARE(user->scriptPath, std::string("logon.bat"));
    QCOMPARE(user->usrComment, std::string("desk 4"));
    QVERIFY(user->passwordExpired != 0);
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("New#Pass2"));
}

void CommandDispatcherTest::viewModifyUserRewritesEveryProperty()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QString name = "jdoe";
    QCOMPARE(Execute_Command("NT View/Modify User Account.01", name, "SALES",
                             {"[H]\\\\files\\jdoe", "\\\\files\\p\\jdoe", "Sales", "John Doe",
                              "logon.bat", "desk 4", false, true, true, false}),
             0);
    const platform::UserInfo3 &user = *bed.net.user("jdoe");
    QCOMPARE(user.homeDirDrive, std::string("H:"));
    QCOMPARE(user.homeDir, std::string("\\\\files\\jdoe"));
    QCOMPARE(user.profile, std::string("\\\\files\\p\\jdoe"));
    QCOMPARE(user.flags, uint32_t(513 | uf::PasswdCantChange | uf::DontExpirePasswd));
    QCOMPARE(bed.net.passwordOf("jdoe"), std::string("Old#Pass1"));
}

void CommandDispatcherTest::computerRenameComesBackWithoutDollar()
{
    DirectoryTestBed bed;
    populate(bed.net);
    QString name = "ws01";
    QCOMPARE(Execute_Command("NT View/Modify Computer Account.02", name, "SALES", {"ws02"}), 0);
    QCOMPARE(name, "WS01");
    QVERIFY(bed.net.user("WS02$"));
}

void CommandDispatcherTest::generatedPasswordsMeetComplexity()
{
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        const QString password = Generate_Password();
        QVERIFY(password.size() >= 16);
        QVERIFY(hasEachClass(password));
        seen.insert(password);
    }
    QCOMPARE(seen.size(), 200);
    QVERIFY(Generate_Password(4).size() >= 16);
}

QTEST_GUILESS_MAIN(CommandDispatcherTest)
#include "test_command_dispatcher.moc"
