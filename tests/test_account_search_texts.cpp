// The account search's texts: the criteria its copies receive, the halves of
// a result entry, the export's value quoting and its password age in days.
#include "accountlist/ExportLines.h"
#include "accountlist/SearchText.h"

#include <QTest>

class AccountSearchTextsTest : public QObject {
    Q_OBJECT
private slots:
    void criteriaDropLeadingStarsAndEndInOneForBeginsWith_data();
    void criteriaDropLeadingStarsAndEndInOneForBeginsWith();
    void entrySplitsAtItsFirstComma_data();
    void entrySplitsAtItsFirstComma();
    void entriesSortAsTextWithoutRegardToCase();
    void valuesAreQuotedOnlyWhenTheyMustBe_data();
    void valuesAreQuotedOnlyWhenTheyMustBe();
    void passwordAgeRoundsHalfDaysToEven_data();
    void passwordAgeRoundsHalfDaysToEven();
};

void AccountSearchTextsTest::criteriaDropLeadingStarsAndEndInOneForBeginsWith_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("beginsWith");
    QTest::addColumn<QString>("criteria");
    QTest::newRow("stars before, begins with") << "**jo" << true << "jo*";
    QTest::newRow("stars before, contains") << "**jo" << false << "jo";
    QTest::newRow("star inside stays") << "j*o" << false << "j*o";
    QTest::newRow("empty, begins with: all") << "" << true << "*";
    QTest::newRow("stars only, contains: all") << "***" << false << "";
}

void AccountSearchTextsTest::criteriaDropLeadingStarsAndEndInOneForBeginsWith()
{
    QFETCH(QString, typed);
    QFETCH(bool, beginsWith);
    QFETCH(QString, criteria);
    QCOMPARE(Search_Criteria(typed, beginsWith), criteria);
}

void AccountSearchTextsTest::entrySplitsAtItsFirstComma_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("domain");
    QTest::newRow("ordinary") << "jsmith, SALES" << "jsmith" << "SALES";
    QTest::newRow("blank in the name") << "Julia Hart, HEADOFFICE" << "Julia Hart"
                                       << "HEADOFFICE";
    QTest::newRow("no comma") << " lonely " << "lonely" << "";
}

void AccountSearchTextsTest::entrySplitsAtItsFirstComma()
{
    QFETCH(QString, entry);
    const ListEntry parts = Split_ListEntry(entry);
    QTEST(parts.name, "name");
    QTEST(parts.domain, "domain");
}

void AccountSearchTextsTest::entriesSortAsTextWithoutRegardToCase()
{
    QStringList entries{"jsmith, SALES", "JDoe, HEADOFFICE", "jdoe, SALES", "Anna, SALES",
                        "jdoe, HEADOFFICE"};
    Sort_AsText(entries);
    QCOMPARE(entries, (QStringList{"Anna, SALES", "JDoe, HEADOFFICE", "jdoe, HEADOFFICE",
                                   "jdoe, SALES", "jsmith, SALES"}));
}

void AccountSearchTextsTest::valuesAreQuotedOnlyWhenTheyMustBe_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain") << "Sales office" << "Sales office";
    QTest::newRow("path with backslashes") << "\\\\FS01\\home" << "\\\\FS01\\home";
    QTest::newRow("comma") << "a, b" << "\"a, b\"";
    QTest::newRow("double quote") << "the \"boss\"" << "\"the \"\"boss\"\"\"";
    QTest::newRow("line feed") << "two\nlines" << "\"two\nlines\"";
    QTest::newRow("carriage return") << "a\rb" << "\"a\rb\"";
}

void AccountSearchTextsTest::valuesAreQuotedOnlyWhenTheyMustBe()
{
    QFETCH(QString, value);
    QTEST(Export_Value(value), "written");
}

void AccountSearchTextsTest::passwordAgeRoundsHalfDaysToEven_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<qint64>("days");
    QTest::newRow("half a day") << qint64(43200) << qint64(0);
    QTest::newRow("one and a half") << qint64(129600) << qint64(2);
    QTest::newRow("two and a half") << qint64(216000) << qint64(2);
    QTest::newRow("just past two and a half") << qint64(216001) << qint64(3);
    QTest::newRow("just short of a half") << qint64(43199) << qint64(0);
    QTest::newRow("largest age") << qint64(4294967295) << qint64(49710);
}

void AccountSearchTextsTest::passwordAgeRoundsHalfDaysToEven()
{
    QFETCH(qint64, seconds);
    QFETCH(qint64, days);
    QCOMPARE(Password_AgeDays(seconds), days);
}

QTEST_APPLESS_MAIN(AccountSearchTextsTest)
#include "test_account_search_texts.moc"
