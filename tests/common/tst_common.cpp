// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cp1252.h"
#include "common/fixed_text.h"
#include "common/leading_number.h"
#include "common/unix_signal_bridge.h"
#include "common/whole_number.h"

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <csignal>

using namespace Qt::StringLiterals;

class TestCommon : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("letters after") << u"7778abc"_s << 7778.0;
        QTest::newRow("letters only") << u"abc"_s << 0.0;
        QTest::newRow("blanks inside") << u" 1 2\t3\n4"_s << 1234.0;
        QTest::newRow("carriage return stops") << u"12\r34"_s << 12.0;
        QTest::newRow("negative fraction") << u"-12.5"_s << -12.5;
        QTest::newRow("sign then blank") << u"- 4"_s << -4.0;
        QTest::newRow("double sign") << u"--4"_s << 0.0;
        QTest::newRow("fraction only") << u".5"_s << 0.5;
        QTest::newRow("second point stops") << u"1.2.3"_s << 1.2;
        QTest::newRow("comma is no separator") << u"2,5"_s << 2.0;
        QTest::newRow("exponent") << u"1.5e3"_s << 1500.0;
        QTest::newRow("negative exponent") << u"25D-1"_s << 2.5;
        QTest::newRow("hex") << u"&hFf"_s << 255.0;
        QTest::newRow("octal stops at 8") << u"&O78"_s << 7.0;
        QTest::newRow("ampersand alone") << u"&12"_s << 0.0;
        QTest::newRow("leading zeros") << u"000123"_s << 123.0;
        QTest::newRow("tiny") << u"1e-99999"_s << 0.0;
        QTest::newRow("huge") << QString(400, u'9') << double(INFINITY);
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(parseLeadingNumber(text), expected);
    }

    void wholeNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected16"); // -99999: does not fit
        QTest::newRow("2.5 to even") << 2.5 << 2;
        QTest::newRow("3.5 to even") << 3.5 << 4;
        QTest::newRow("-2.5 to even") << -2.5 << -2;
        QTest::newRow("largest") << 32767.0 << 32767;
        QTest::newRow("rounds past largest") << 32767.5 << -99999;
        QTest::newRow("smallest") << -32768.0 << -32768;
        QTest::newRow("nan") << double(NAN) << -99999;
    }

    void wholeNumbers()
    {
        QFETCH(double, value);
        QFETCH(int, expected16);
        const auto whole = toInt16(value);
        QCOMPARE(whole ? int(*whole) : -99999, expected16);
    }

    void wholeNumbers32()
    {
        QCOMPARE(toInt32(70000.5).value(), 70000);
        QVERIFY(!toInt32(2147483648.0));
    }

    void terminationSignals()
    {
        // SIGTERM and SIGINT reach the event loop as one request each,
        // handled outside the signal handler.
        UnixSignalBridge bridge;
        QSignalSpy requested(&bridge, &UnixSignalBridge::terminationRequested);
        ::raise(SIGTERM);
        QTRY_COMPARE(requested.count(), 1);
        ::raise(SIGINT);
        QTRY_COMPARE(requested.count(), 2);
    }

    void codePageRoundTrip()
    {
        QCOMPARE(decodeCp1252("\x80\x9f\xe4\xdf"), u"€Ÿäß"_s);
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QCOMPARE(encodeCp1252(decodeCp1252(all)), all);
        QCOMPARE(encodeCp1252(u"Ω"_s), QByteArray("?"));
    }

    void fixedText()
    {
        FixedText<5> field;
        QCOMPARE(field.text(), QString(5, QChar(0)));
        field.assign(u"12");
        QCOMPARE(field.text(), u"12   "_s);
        QVERIFY(field.equals(u"12   "));
        QVERIFY(!field.equals(u"12"));
        field.assign(u"1234567");
        QCOMPARE(field.text(), u"12345"_s);
        field.assign(u" a ");
        QCOMPARE(field.trimmed(), u"a"_s);
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
