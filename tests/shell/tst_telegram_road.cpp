// One record of each kind from a local server reaches the message bar.
#include "presentation/msg_form.h"
#include "presentation/program_data.h"
#include "shell/form1.h"
#include "support/fake_dialogs.h"
#include "support/fixed_clock.h"
#include "support/memory_settings_store.h"
#include "support/recording_notify_area.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestTelegramRoad : public QObject
{
    Q_OBJECT

private slots:
    void recordsReachTheBar()
    {
        ProgramData data;
        FakeDialogs dialogs;
        FixedClock clock;
        RecordingNotifyArea tray;
        MemorySettingsStore store;
        Form1 form(data, {dialogs, clock, tray, store, QStringLiteral("ostrevo"), QString(), {}});
        data.statusTables.FillDefaults();
        data.directories.VehicleList[1].FmsId.assign(u"61110144");
        data.directories.VehicleList[1].Name.assign(u"Florian Musterstadt 1/44-1");
        data.directories.FmeList[1].Code.assign(u"21101");
        data.directories.FmeList[1].Name.assign(u"FF Musterstadt Vollalarm");
        data.directories.PocsagList.resize(12);
        data.directories.PocsagList[1].Ric = 1234567;
        data.directories.PocsagList[1].Name.assign(u"Wehrführer");
        data.directories.PocsagLoadedCount = 1;

        form.findChild<QLineEdit*>(QStringLiteral("txtMsgOnly"))
            ->setText(QStringLiteral("003;110"));

        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        form.findChild<QLineEdit*>(QStringLiteral("txtSrvPort"))
            ->setText(QString::number(server.serverPort()));
        form.findChild<QPushButton*>(QStringLiteral("cmdStatus"))->click();
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket* peer = server.nextPendingConnection();
        QTRY_COMPARE(form.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
                     QStringLiteral("Verbunden"));

        const QLabel& line = form.msgForm().label(BarLabel::Line);
        peer->write("ZVEI\t21101\r\n");
        QTRY_COMPARE(line.text(), QStringLiteral("21101 FF Musterstadt Vollalarm"));
        QVERIFY(form.msgForm().isVisible());
        peer->write("POC\t1234567\tA\tK\xfc"
                    "chenbrand Hauptstr. 5\r\n");
        QTRY_COMPARE(line.text(), QStringLiteral("1234567 Wehrführer Küchenbrand Hauptstr. 5"));
        peer->write("FMSTlg\t61110144\t\t\t\t\t3\t\t0\r\n");
        QTRY_COMPARE(line.text(),
                     QStringLiteral("Florian Musterstadt 1/44-1      3 Einsatz Übernommen"));
        peer->write(
            "x#![]!#x#![]!#61110144#![]!#10#![]!#x#![]!#true#![]!##![]!##![]!##![]!##![]!##![]!#"
            "Lage;TRN 4711 (12)\r\n");
        QTRY_COMPARE(line.text(),
                     QStringLiteral("Florian Musterstadt 1/44-1     10 Lage&TRN 4711"));
        QCOMPARE(form.msgForm().label(BarLabel::Time).text(), QStringLiteral("12:34:56"));
    }
};

QTEST_MAIN(TestTelegramRoad)
#include "tst_telegram_road.moc"
