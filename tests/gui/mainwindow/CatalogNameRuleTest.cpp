#include "mainwindow/CatalogNameRule.h"
#include "text/CodePage.h"

#include <QtTest>

class CatalogNameRuleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { CodePage::setAnsi(950); }

    void rule_data()
    {
        QTest::addColumn<QByteArray>("name");  // ANSI bytes, code page 950
        QTest::addColumn<bool>("allowed");
        QTest::newRow("letters digits marks") << QByteArray("Ab9-._~") << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("space") << QByteArray("a b") << false;
        QTest::newRow("slash") << QByteArray("a/b") << false;
        QTest::newRow("equals sign") << QByteArray("a=b") << false;
        QTest::newRow("brackets") << QByteArray("[a]") << false;
        QTest::newRow("tab") << QByteArray("a\tb") << false;
        QTest::newRow("delete") << QByteArray("a\x7f") << false;
        // A double-byte character whose trail byte is a backslash or a pipe is one character.
        QTest::newRow("trail byte backslash") << QByteArray("\xb3\x5c") << true;
        QTest::newRow("trail byte pipe") << QByteArray("\xa5\x7c" "ab") << true;
        QTest::newRow("high byte alone") << QByteArray("\xa4") << true;
        QTest::newRow("double-byte then space") << QByteArray("\xa4\x40 ") << false;
    }
    void rule()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, allowed);
        QCOMPARE(CatalogNameRule::allowed(std::string_view(name.constData(), static_cast<size_t>(name.size()))), allowed);
    }
};

QTEST_MAIN(CatalogNameRuleTest)
#include "CatalogNameRuleTest.moc"
