// What the Samba back end does with a call whose connection broke under it,
// against a scripted connection: a read, or a write none of whose changes
// went out, is made again on a fresh connection; a write whose reply was lost
// is read back instead, and only a change seen done is a success.
#include "platform/netapi/samba/CallCourse.h"

#include <QTest>

using namespace platform;
using namespace platform::samba;

namespace {

constexpr NetStatus Lost = 64; // ERROR_NETNAME_DELETED, a transport failure

enum class Break { Never, BeforeChange, AfterChange, EveryTimeBeforeChange, DropAfterUse };

struct FakeSession {
    bool lost = false;
    bool dropAfterUse = false;
    bool sent = false;
    void beginCall() { sent = false; }
    bool broken() const { return lost || dropAfterUse; }
    bool transportLost() const { return lost; }
    bool changeSent() const { return sent; }
};

struct FakeLink {
    using Session = FakeSession;
    int opens = 0;
    int drops = 0;
    int openFailsFrom = 1000; // the open (1-based) from which every open fails
    FakeSession current;
    bool have = false;
    NetStatus open(FakeSession *&session)
    {
        if (have) {
            session = &current;
            return status::Success;
        }
        if (++opens >= openFailsFrom)
            return status::BadNetPath;
        current = FakeSession();
        have = true;
        session = &current;
        return status::Success;
    }
    void drop()
    {
        ++drops;
        have = false;
    }
};

} // namespace

class SambaCallCourseTest : public QObject {
    Q_OBJECT

private slots:
    void write_data();
    void write();
    void read_isMadeAgainOnceOnAFreshConnection();
    void presence_data();
    void presence();
};

void SambaCallCourseTest::write_data()
{
    QTest::addColumn<Break>("breaks");
    QTest::addColumn<Outcome>("readBack");
    QTest::addColumn<int>("openFailsFrom");
    QTest::addColumn<NetStatus>("expected");
    QTest::addColumn<int>("sends");
    QTest::addColumn<int>("checks");
    QTest::newRow("connection holds") << Break::Never << Outcome::Unknown << 1000 << 0 << 1 << 0;
    QTest::newRow("lost before the change went out: made again")
        << Break::BeforeChange << Outcome::Unknown << 1000 << 0 << 2 << 0;
    QTest::newRow("lost twice before any change: the failure")
        << Break::EveryTimeBeforeChange << Outcome::Unknown << 1000 << Lost << 2 << 0;
    QTest::newRow("reply lost, change read back as done: success")
        << Break::AfterChange << Outcome::Done << 1000 << 0 << 1 << 1;
    QTest::newRow("reply lost, change not there: the failure, not sent again")
        << Break::AfterChange << Outcome::NotDone << 1000 << Lost << 1 << 1;
    QTest::newRow("reply lost, outcome unreadable: the failure")
        << Break::AfterChange << Outcome::Unknown << 1000 << Lost << 1 << 1;
    QTest::newRow("reply lost, no fresh connection: the failure")
        << Break::AfterChange << Outcome::Done << 2 << Lost << 1 << 0;
    QTest::newRow("refused on the first connect: nothing sent")
        << Break::Never << Outcome::Done << 1 << status::BadNetPath << 0 << 0;
    QTest::newRow("failed write that must reconnect: its own status, once")
        << Break::DropAfterUse << Outcome::Done << 1000 << 1325 << 1 << 0;
}

void SambaCallCourseTest::write()
{
    QFETCH(Break, breaks);
    QFETCH(Outcome, readBack);
    QFETCH(int, openFailsFrom);
    FakeLink link;
    link.openFailsFrom = openFailsFrom;
    int sends = 0, checks = 0;
    auto op = [&](FakeSession &session) -> NetStatus {
        ++sends;
        const bool first = sends == 1;
        switch (breaks) {
        case Break::Never:
            return status::Success;
        case Break::BeforeChange:
            session.lost = first;
            return first ? Lost : status::Success;
        case Break::EveryTimeBeforeChange:
            session.lost = true;
            return Lost;
        case Break::AfterChange:
            session.sent = true;
            session.lost = true;
            return Lost;
        case Break::DropAfterUse:
            session.sent = true;
            session.dropAfterUse = true;
            return 1325;
        }
        return status::Success;
    };
    auto check = [&](FakeSession &) {
        ++checks;
        return readBack;
    };
    QTEST(runWrite(link, op, check), "expected");
    QTEST(sends, "sends");
    QTEST(checks, "checks");
    // A broken session is never kept.
    if (breaks != Break::Never)
        QVERIFY(link.drops >= 1);
}

void SambaCallCourseTest::read_isMadeAgainOnceOnAFreshConnection()
{
    FakeLink link;
    int sends = 0;
    const NetStatus st = runWrite(
        link,
        [&](FakeSession &session) {
            session.lost = ++sends == 1;
            return session.lost ? Lost : status::Success;
        },
        [](FakeSession &) { return Outcome::Done; });
    QCOMPARE(st, status::Success);
    QCOMPARE(sends, 2);
    QCOMPARE(link.opens, 2);
}

void SambaCallCourseTest::presence_data()
{
    QTest::addColumn<NetStatus>("lookedUp");
    QTest::addColumn<bool>("wantedPresent");
    QTest::addColumn<Outcome>("expected");
    QTest::newRow("created and found") << 0 << true << Outcome::Done;
    QTest::newRow("created but missing") << status::UserNotFound << true << Outcome::NotDone;
    QTest::newRow("deleted and missing") << status::UserNotFound << false << Outcome::Done;
    QTest::newRow("deleted but found") << 0 << false << Outcome::NotDone;
    QTest::newRow("look-up failed") << Lost << false << Outcome::Unknown;
}

void SambaCallCourseTest::presence()
{
    QFETCH(NetStatus, lookedUp);
    QFETCH(bool, wantedPresent);
    QTEST(platform::samba::presence(lookedUp, status::UserNotFound, wantedPresent), "expected");
}

QTEST_GUILESS_MAIN(SambaCallCourseTest)
#include "test_samba_call_course.moc"
