#include "common/caption_text.h"
#include "common/cp1252.h"
#include "common/fixed_text.h"
#include "common/leading_number.h"
#include "common/whole_number.h"

#include <QTest>
#include <cmath>

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("plain") << QStringLiteral("7778") << 7778.0;
        QTest::newRow("letters after") << QStringLiteral("7778abc") << 7778.0;
        QTest::newRow("letters only") << QStringLiteral("abc") << 0.0;
        QTest::newRow("blanks inside") << QStringLiteral(" 1 2\t3\n4") << 1234.0;
        QTest::newRow("carriage return stops") << QStringLiteral("12\r34") << 12.0;
        QTest::newRow("negative") << QStringLiteral("-12.5") << -12.5;
        QTest::newRow("plus") << QStringLiteral("+3") << 3.0;
        QTest::newRow("sign then blank") << QStringLiteral("- 4") << -4.0;
        QTest::newRow("double sign") << QStringLiteral("--4") << 0.0;
        QTest::newRow("fraction only") << QStringLiteral(".5") << 0.5;
        QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
        QTest::newRow("comma is no separator") << QStringLiteral("2,5") << 2.0;
        QTest::newRow("exponent") << QStringLiteral("1.5e3") << 1500.0;
        QTest::newRow("negative exponent") << QStringLiteral("25E-1") << 2.5;
        QTest::newRow("exponent without digits") << QStringLiteral("3e") << 3.0;
        QTest::newRow("hex") << QStringLiteral("&H1F") << 31.0;
        QTest::newRow("hex lower case") << QStringLiteral("&hff") << 255.0;
        QTest::newRow("octal") << QStringLiteral("&O17") << 15.0;
        QTest::newRow("octal stops at 8") << QStringLiteral("&O78") << 7.0;
        QTest::newRow("ampersand alone") << QStringLiteral("&12") << 0.0;
        QTest::newRow("leading zeros") << QStringLiteral("000123") << 123.0;
        QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
        QTest::newRow("minus alone") << QStringLiteral("-") << 0.0;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(parseLeadingNumber(text), expected);
    }

    void leadingNumberExtremes()
    {
        QVERIFY(std::isinf(parseLeadingNumber(QString(10000, u'9'))));
        QCOMPARE(parseLeadingNumber(QStringLiteral("1e-99999")), 0.0);
        QVERIFY(std::isinf(parseLeadingNumber(QStringLiteral("1e99999999999999"))));
        QCOMPARE(parseLeadingNumber(QString(QStringLiteral("0.") + QString(10000, u'0') + u'1')),
                 0.0);
        QVERIFY(parseLeadingNumber(QString(QStringLiteral("&H") + QString(10000, u'F'))) > 1e300);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected16"); // -99999: does not fit
        QTest::newRow("2.5 to even") << 2.5 << 2;
        QTest::newRow("3.5 to even") << 3.5 << 4;
        QTest::newRow("-2.5 to even") << -2.5 << -2;
        QTest::newRow("2.6") << 2.6 << 3;
        QTest::newRow("largest") << 32767.0 << 32767;
        QTest::newRow("rounds past largest") << 32767.5 << -99999;
        QTest::newRow("smallest") << -32768.0 << -32768;
        QTest::newRow("too small") << -32769.0 << -99999;
        QTest::newRow("infinite") << double(INFINITY) << -99999;
        QTest::newRow("nan") << double(NAN) << -99999;
    }

    void wholeNumbers()
    {
        QFETCH(double, value);
        QFETCH(int, expected16);
        const auto result = toInt16(value);
        QCOMPARE(result.has_value(), expected16 != -99999);
        if (result)
            QCOMPARE(int(*result), expected16);
    }

    void wholeNumbers32()
    {
        QCOMPARE(toInt32(70000.5).value(), 70000);
        QVERIFY(!toInt32(2147483648.0));
    }

    void captionRule_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QStringLiteral("Wache") << QStringLiteral("Wache");
        QTest::newRow("double") << QStringLiteral("A&&B") << QStringLiteral("A&B");
        QTest::newRow("access key") << QStringLiteral("&Beenden") << QStringLiteral("Beenden");
        QTest::newRow("trailing") << QStringLiteral("A&") << QStringLiteral("A");
        QTest::newRow("three") << QStringLiteral("&&&x") << QStringLiteral("&x");
        QTest::newRow("markup stays text")
            << QStringLiteral("<b>x</b>") << QStringLiteral("<b>x</b>");
    }

    void captionRule()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QCOMPARE(captionDisplayText(caption), shown);
    }

    void codePage()
    {
        QCOMPARE(decodeCp1252("\x80\x9f\xe4\xdf"), QStringLiteral("€Ÿäß"));
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QCOMPARE(encodeCp1252(decodeCp1252(all)), all);
        QCOMPARE(encodeCp1252(QStringLiteral("Ω")), QByteArray("?"));
    }

    void fixedText()
    {
        FixedText<5> field;
        QCOMPARE(field.text(), QString(5, QChar(0)));
        QVERIFY(!field.equals(QStringLiteral("     ")));
        field.assign(u"12");
        QCOMPARE(field.text(), QStringLiteral("12   "));
        QVERIFY(field.equals(QStringLiteral("12   ")));
        QVERIFY(!field.equals(QStringLiteral("12")));
        field.assign(u"1234567");
        QCOMPARE(field.text(), QStringLiteral("12345"));
        field.assign(u" a ");
        QCOMPARE(field.trimmed(), QStringLiteral("a"));
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
