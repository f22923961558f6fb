#include "directories/directories.h"

#include <QTest>

namespace {

VehicleRecord vehicle(const QString& id, const QString& name)
{
    VehicleRecord record;
    record.FmsId.assign(id);
    record.Name.assign(name);
    return record;
}

PocsagRecord receiver(std::int32_t ric, const QString& name)
{
    PocsagRecord record;
    record.Ric = ric;
    record.Name.assign(name);
    return record;
}

} // namespace

class TestDirectories : public QObject
{
    Q_OBJECT

private slots:
    void startCleared()
    {
        const Directories d;
        QCOMPARE(int(d.FmeList.size()), 2501);
        QCOMPARE(int(d.VehicleList.size()), 2001);
        QVERIFY(d.PocsagList.empty());
        QCOMPARE(d.VehicleList[0].FmsId.text(), QString(8, QChar(0)));
        QCOMPARE(d.FindVehicle(QStringLiteral("12345678")), 0);
        QVERIFY(!d.FindFme(QStringLiteral("12345")));
        QVERIFY(!d.FindPocsag(QStringLiteral("0"))); // no elements at all
    }

    void findVehicle_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("listed") << QStringLiteral("61234567") << 1;
        QTest::newRow("duplicate takes lower index") << QStringLiteral("61234568") << 2;
        QTest::newRow("padded short id needs its spaces") << QStringLiteral("4711    ") << 4;
        QTest::newRow("short key never matches") << QStringLiteral("4711") << 0;
        QTest::newRow("case matters") << QStringLiteral("6123456a") << 0;
        QTest::newRow("unlisted") << QStringLiteral("99999999") << 0;
        QTest::newRow("nine characters") << QStringLiteral("612345670") << 0;
    }

    void findVehicle()
    {
        QFETCH(QString, key);
        QFETCH(int, index);
        Directories d;
        d.VehicleList[1] = vehicle(QStringLiteral("61234567"), QStringLiteral("Florian 1"));
        d.VehicleList[2] = vehicle(QStringLiteral("61234568"), QStringLiteral("Florian 2"));
        d.VehicleList[3] = vehicle(QStringLiteral("61234568"), QStringLiteral("Florian 3"));
        d.VehicleList[4] = vehicle(QStringLiteral("4711"), QStringLiteral("Kurz"));
        QCOMPARE(d.FindVehicle(key), index);
    }

    void unlistedVehicleSlot()
    {
        Directories d;
        d.VehicleList[0].Name.assign(u"12345678");
        QCOMPARE(d.VehicleList[0].Name.text(), QStringLiteral("12345678") + QString(22, u' '));
        QCOMPARE(d.FindVehicle(QStringLiteral("12345678")), 0);
    }

    void findFme()
    {
        Directories d;
        d.FmeList[5].Code.assign(u"12345");
        d.FmeList[7].Code.assign(u"12345");
        d.FmeList[9].Code.assign(u"1234");
        QCOMPARE(d.FindFme(QStringLiteral("12345")).value(), 5);
        QVERIFY(!d.FindFme(QStringLiteral("1234")));
        QCOMPARE(d.FindFme(QStringLiteral("1234 ")).value(), 9);
        QVERIFY(!d.FindFme(QStringLiteral("12345\n")));
        d.FmeList[0].Code.assign(u"55555");
        QVERIFY(!d.FindFme(QStringLiteral("55555"))); // element 0 is never searched
    }

    void findPocsag_data()
    {
        QTest::addColumn<bool>("loadedZero");
        QTest::addColumn<QString>("ric");
        QTest::addColumn<int>("index"); // -1: not listed
        QTest::newRow("listed") << false << QStringLiteral("1234567") << 2;
        QTest::newRow("leading zeros") << false << QStringLiteral("0001234567") << 2;
        QTest::newRow("duplicate") << false << QStringLiteral("42") << 1;
        QTest::newRow("unlisted") << false << QStringLiteral("7") << -1;
        QTest::newRow("zero, spare elements ignored") << false << QStringLiteral("0") << -1;
        QTest::newRow("letters, spare elements ignored") << false << QStringLiteral("abc") << -1;
        QTest::newRow("zero with a loaded zero entry") << true << QStringLiteral("abc") << 3;
    }

    void findPocsag()
    {
        QFETCH(bool, loadedZero);
        QFETCH(QString, ric);
        QFETCH(int, index);
        Directories d;
        d.PocsagList.resize(14); // a file of 3 records: 0..13
        d.PocsagList[1] = receiver(42, QStringLiteral("Wehrführer"));
        d.PocsagList[2] = receiver(1234567, QStringLiteral("Zug 2"));
        d.PocsagList[3] = receiver(loadedZero ? 0 : 42, QStringLiteral("Null"));
        d.PocsagLoadedCount = 3;
        const auto found = d.FindPocsag(ric);
        QCOMPARE(found.value_or(-1), index);
    }

    void recordsGoBackToBytes()
    {
        QByteArray vehicleBytes(VehicleRecord::FileRecordSize, Qt::Uninitialized);
        QByteArray pocsagBytes(PocsagRecord::FileRecordSize, Qt::Uninitialized);
        for (int i = 0; i < vehicleBytes.size(); ++i)
            vehicleBytes[i] = char(i * 7 + 3);
        for (int i = 0; i < pocsagBytes.size(); ++i)
            pocsagBytes[i] = char(i * 13 + 1);
        QCOMPARE(VehicleRecord::fromFileBytes(vehicleBytes.constData()).toFileBytes(),
                 vehicleBytes);
        const PocsagRecord pocsag = PocsagRecord::fromFileBytes(pocsagBytes.constData());
        QCOMPARE(pocsag.toFileBytes(), pocsagBytes);
        QCOMPARE(pocsag.Ric, std::int32_t(0x281b0e01)); // bytes 01 0e 1b 28, little-endian
        QCOMPARE(VehicleRecord{}.toFileBytes(), QByteArray(VehicleRecord::FileRecordSize, '\0'));
    }

    void clearVehiclesKeepsElementZero()
    {
        Directories d;
        d.VehicleList[0].Name.assign(u"47114711");
        d.VehicleList[2000] = vehicle(QStringLiteral("1"), QStringLiteral("x"));
        d.ClearVehicles();
        QCOMPARE(d.VehicleList[0].Name.trimmed(), QStringLiteral("47114711"));
        QCOMPARE(d.VehicleList[2000].FmsId.text(), QString(8, QChar(0)));
    }
};

QTEST_GUILESS_MAIN(TestDirectories)
#include "tst_directories.moc"
