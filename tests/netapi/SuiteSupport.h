// What the network-management suite's test files share: the target, names
// that cannot clash with anything already in the directory, clean-up of what
// an interrupted run left, full walks of the listings, and the record of cases
// a target cannot express ("not applicable", passed, never skipped).
#pragma once

#include "tests/netapi/NetapiTarget.h"

#include <QtTest/QTest>

#include <string>
#include <vector>

namespace netapi_tests {

// Every account the suite creates begins with this; bulk users with
// "vntbulk" are kept between runs.
inline constexpr char NamePrefix[] = "vnt";

// "vnt" + stem + random letters and digits, at most `length` characters.
std::string uniqueName(const std::string &stem, int length = 16);

// Prints "not applicable to <target>: <reason>" and returns true when the
// target cannot express what the case needs.
bool notApplicable(NetapiTarget &target, Need need);

// Skips the running case, with the reason, when the target cannot express
// what it needs: a skipped case is never counted as a pass.
#define SKIP_UNLESS_APPLICABLE(target, need)                                                 \
    do {                                                                                     \
        const std::string reason_ = (target).notApplicable(need);                            \
        if (!reason_.empty())                                                                \
            QSKIP(qPrintable(QString::fromStdString("not applicable to " + (target).name()  \
                                                    + ": " + reason_)));                     \
    } while (false)

// Deletes the users, computers and groups whose names begin with the prefix
// (but not the bulk users) at the target's controller.
void removeLeftovers(NetapiTarget &target);

// Every name a display listing gives (level 1, 2 or 3), in its order; false
// in `ok` when a call failed.
std::vector<std::string> displayNames(platform::NetworkManagement &net,
                                      const std::string &server, uint32_t level, bool &ok);
// The same listing, whole records (names and RIDs).
std::vector<platform::NetDisplayRecord> displayRecords(platform::NetworkManagement &net,
                                                       const std::string &server,
                                                       uint32_t level, bool &ok);
// Every global (or local) group name at the server.
std::vector<std::string> groupNames(platform::NetworkManagement &net, const std::string &server,
                                    bool local, bool &ok);

bool contains(const std::vector<std::string> &names, const std::string &name);
std::string upper(const std::string &text);

} // namespace netapi_tests

// main() of a suite file: a child process started by a case does its work and
// ends; otherwise the QtTest class runs.
#define NETAPI_TEST_MAIN(TestClass)                                                  \
    int main(int argc, char **argv)                                                  \
    {                                                                                \
        const int helper = netapi_tests::runTargetHelper(argc, argv);                \
        if (helper >= 0)                                                             \
            return helper;                                                           \
        QCoreApplication app(argc, argv);                                            \
        TestClass test;                                                              \
        return QTest::qExec(&test, argc, argv);                                      \
    }
