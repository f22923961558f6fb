#include "presentation/msg_form.h"
#include "presentation/program_data.h"
#include "shell/command_line.h"
#include "shell/form1.h"
#include "shell/qsettings_store.h"
#include "shell/settings_conversions.h"
#include "support/fake_dialogs.h"
#include "support/fixed_clock.h"
#include "support/memory_settings_store.h"
#include "support/recording_notify_area.h"
#include "tray/frm_sys_tray.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A main window over a given store, started up in an empty list folder.
struct Started
{
    ProgramData data;
    FakeDialogs dialogs;
    FixedClock clock;
    RecordingNotifyArea tray;
    QTemporaryDir lists;
    int ended = 0;
    std::unique_ptr<Form1> form;

    Started(SettingsStore& store, const QString& commandLine = {})
    {
        form = std::make_unique<Form1>(data, Form1Services{dialogs, clock, tray, store,
                                                           QStringLiteral("ostrevo"), commandLine,
                                                           [this] { ++ended; }});
        form->Form_Load(lists.path());
    }
};

const QStringList kSaveOrder{
    u"Adresse"_qs,     u"Port"_qs,          u"AutoConnect"_qs, u"DBLogOnly"_qs,   u"Datei"_qs,
    u"PW"_qs,          u"MsgLogOnly"_qs,    u"MsgAktiv"_qs,    u"MsgVorne"_qs,    u"UnbekFMS"_qs,
    u"UnbekFME"_qs,    u"MsgTime"_qs,       u"Transparent"_qs, u"MsgFontName"_qs, u"MsgFontSize"_qs,
    u"MsgFontBold"_qs, u"MsgFontItalic"_qs, u"FormInTray"_qs};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<int>("truth"); // -1: does not convert
        QTest::newRow("1") << u"1"_qs << true << true << 1;
        QTest::newRow("0") << u"0"_qs << false << false << 0;
        QTest::newRow("1 then letters") << u"1abc"_qs << true << true << -1;
        QTest::newRow("letters") << u"abc"_qs << false << false << -1;
        QTest::newRow("2") << u"2"_qs << true << true << 1;
        QTest::newRow("beyond 16 bits") << u"99999"_qs << true << true << 1;
        QTest::newRow("0.4 rounds to off") << u"0.4"_qs << false << true << 1;
        QTest::newRow("True") << u"True"_qs << false << false << 1;
        QTest::newRow("false any case") << u"fALSE"_qs << false << false << 0;
        QTest::newRow("empty") << QString() << false << false << -1;
    }

    void conversions()
    {
        QFETCH(QString, text);
        QFETCH(bool, check);
        QFETCH(bool, flag);
        QFETCH(int, truth);
        QCOMPARE(ReadCheck(text), check);
        QCOMPARE(ReadFlag(text), flag);
        const auto t = ReadTruth(text);
        QCOMPARE(t ? int(*t) : -1, truth);
    }

    void sizes()
    {
        QCOMPARE(ReadSize(u"9.75"_qs).value(), 9.75);
        QCOMPARE(ReadSize(WriteSize(12.5)).value(), 12.5);
        QCOMPARE(WriteSize(9.75), u"9.75"_qs);
        QCOMPARE(WriteSize(10), u"10"_qs);
        QVERIFY(!ReadSize(u"9,75"_qs));
        QVERIFY(!ReadSize(u"groß"_qs));
        QVERIFY(!ReadSize(u"-3"_qs));
        QVERIFY(!ReadSize(u"1e30"_qs));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address"); // empty: the stored one stays
        QTest::newRow("dotted") << u"192.168.7.20"_qs << u"192.168.7.20"_qs;
        QTest::newRow("spaces around") << u"  10.1.2.3  "_qs << u"10.1.2.3"_qs;
        QTest::newRow("no dot") << u"decoder"_qs << QString();
        QTest::newRow("leading dot") << u".local"_qs << QString();
        QTest::newRow("two words") << u"decoder.local port"_qs << u"decoder.local port"_qs;
        QTest::newRow("empty") << QString() << QString();
    }

    void commandLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QCOMPARE(CommandLineAddress(text).value_or(QString()), address);
        QCOMPARE(CommandLineText({u"ostrevo"_qs, u"a.b"_qs, u"c"_qs}), u"a.b c"_qs);
    }

    void firstRunDefaults()
    {
        MemorySettingsStore store;
        Started s(store);
        Form1& form = *s.form;
        QCOMPARE(form.textField(u"txtSrv").text(), u"127.0.0.1"_qs);
        QCOMPARE(form.textField(u"txtSrvPort").text(), u"7778"_qs);
        QVERIFY(!form.checkBox(u"chkAuto").isChecked());
        QVERIFY(!form.connection().Timer1().isActive());
        QCOMPARE(form.connection().socket().State(), 0);
        QVERIFY(form.msgForm().isVisible());
        QVERIFY(form.msgForm().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.checkBox(u"chkUnbekFMS").isChecked() &&
                form.checkBox(u"chkUnbekFME").isChecked());
        QCOMPARE(form.textField(u"txtMsgTime").text(), u"30"_qs);
        QCOMPARE(form.textField(u"txtTransparent").text(), u"255"_qs);
        QCOMPARE(form.textField(u"txtMsgOnly").text(),
                 u"000;001;002;003;004;005;006;007;008;009;015;106;110"_qs);
        const FontChoice font = form.msgForm().labelFont(BarLabel::Spricht);
        QCOMPARE(font, (FontChoice{u"Arial"_qs, 10, false, false}));
        QVERIFY(s.data.tray.FormInTray);
        QVERIFY(s.tray.present);
        QVERIFY(form.checkBox(u"chkSysTray").isChecked());
        // Read order: the address first, the fonts once per label, the tray flag last.
        QCOMPARE(store.reads.first(), u"Adresse"_qs);
        QCOMPARE(store.reads.count(u"MsgFontSize"_qs), 4);
        QCOMPARE(store.reads.last(), u"FormInTray"_qs);
    }

    void loadedValuesDriveTheReactions()
    {
        MemorySettingsStore store;
        store.values = {{u"Einstellungen/AutoConnect"_qs, u"1abc"_qs},
                        {u"Einstellungen/FormInTray"_qs, u"nein"_qs},
                        {u"Einstellungen/MsgTime"_qs, u"99"_qs},
                        {u"Einstellungen/Transparent"_qs, u"-1"_qs},
                        {u"Einstellungen/MsgAktiv"_qs, u"0"_qs},
                        {u"Einstellungen/MsgFontSize"_qs, u"zehn"_qs},
                        {u"Einstellungen/MsgFontBold"_qs, u"true"_qs},
                        {u"Server/Adresse"_qs, u"127.0.0.1"_qs}};
        Started s(store, u"192.168.7.20"_qs);
        Form1& form = *s.form;
        QVERIFY(form.connection().Timer1().isActive());
        QCOMPARE(form.connection().Timer1().interval(), 4000);
        QCOMPARE(form.connection().socket().State(), 0); // nothing connects during start-up
        QVERIFY(!s.data.tray.FormInTray);
        QVERIFY(!s.tray.present);
        QVERIFY(!form.checkBox(u"chkSysTray").isChecked());
        QCOMPARE(form.textField(u"txtMsgTime").text(), u"65"_qs);
        QCOMPARE(form.textField(u"txtTransparent").text(), u"255"_qs);
        QVERIFY(!form.msgForm().isVisible());
        QCOMPARE(form.msgForm().labelFont(BarLabel::Time).pointSize, 10.0);
        QVERIFY(form.msgForm().labelFont(BarLabel::Time).bold);
        QCOMPARE(form.textField(u"txtSrv").text(), u"192.168.7.20"_qs);

        form.Form_Unload();
        QCOMPARE(store.values.value(u"Server/Adresse"_qs), u"192.168.7.20"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/AutoConnect"_qs), u"1"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/FormInTray"_qs), u"0"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/MsgFontBold"_qs), u"True"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/MsgFontItalic"_qs), u"False"_qs);
        QCOMPARE(store.writes, kSaveOrder);
        QCOMPARE(s.ended, 1);
        form.Form_Unload(); // every way out ends up here; only the first one counts
        QCOMPARE(s.ended, 1);
    }

    void fontsAreSavedFromTheMessageLine()
    {
        MemorySettingsStore store;
        Started s(store);
        s.form->msgForm().setLabelFont(BarLabel::Time, {u"Liberation Serif"_qs, 20, true, true});
        s.form->msgForm().setLabelFont(BarLabel::Line, {u"Liberation Mono"_qs, 9.75, false, true});
        s.form->msgForm().setBold(BarLabel::Line, true); // a telegram's emphasis, not a choice
        s.form->Form_Unload();
        QCOMPARE(store.values.value(u"Einstellungen/MsgFontBold"_qs), u"False"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/MsgFontName"_qs), u"Liberation Mono"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/MsgFontSize"_qs), u"9.75"_qs);
        QCOMPARE(store.values.value(u"Einstellungen/MsgFontItalic"_qs), u"True"_qs);
        QVERIFY(!s.tray.present); // the icon is gone after the shut-down
    }

    void roundTripThroughTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Ostrevo.conf"_qs);
        const QMap<QString, QString> tricky{
            {u"Server/Adresse"_qs, u"  decoder.wache, Nord"_qs},
            {u"Datenbank/PW"_qs, u"p\"a;ss,wört "_qs},
            {u"Einstellungen/MsgLogOnly"_qs, u"003;005,110"_qs},
            {u"Datenbank/Datei"_qs, u"C:\\Programme\\Halvorn\\FMS.mdb"_qs},
        };
        {
            QSettingsStore store(path);
            for (auto it = tricky.begin(); it != tricky.end(); ++it)
                store.write(it.key().section(u'/', 0, 0), it.key().section(u'/', 1), it.value());
            store.flush();
        }
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner));
        QSettingsStore reread(path);
        for (auto it = tricky.begin(); it != tricky.end(); ++it)
            QCOMPARE(
                reread.read(it.key().section(u'/', 0, 0), it.key().section(u'/', 1), QString()),
                it.value());

        // Everything the window saves comes back at the next start.
        {
            QSettingsStore store(path);
            Started first(store);
            first.form->textField(u"txtSrvPort").setText(u"7779"_qs);
            first.form->textField(u"txtMsgOnly").setText(u"003;105, 110"_qs);
            first.form->checkBox(u"chkUnbekFMS").setChecked(false);
            first.form->msgForm().setLabelFont(BarLabel::Line,
                                               {u"Liberation Sans Narrow"_qs, 12.5, true, false});
            first.form->Form_Unload();
        }
        QSettingsStore store(path);
        Started second(store);
        QCOMPARE(second.form->textField(u"txtSrvPort").text(), u"7779"_qs);
        QCOMPARE(second.form->textField(u"txtMsgOnly").text(), u"003;105, 110"_qs);
        QVERIFY(!second.form->checkBox(u"chkUnbekFMS").isChecked());
        QCOMPARE(second.form->msgForm().labelFont(BarLabel::Time),
                 (FontChoice{u"Liberation Sans Narrow"_qs, 12.5, true, false}));
    }

    void handEditedJunk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Ostrevo.conf"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Einstellungen]\nMsgLogOnly=003, 005\nMsgFontSize=\xff\xfe\nAutoConnect=-7\n"
                   "MsgTime=1e999\n[Server\nPort==\n\x01\x02garbage\n");
        file.close();
        QSettingsStore store(path);
        Started s(store);
        QCOMPARE(s.form->textField(u"txtMsgOnly").text(), u"003,005"_qs);
        QVERIFY(s.form->checkBox(u"chkAuto").isChecked());
        QCOMPARE(s.form->textField(u"txtMsgTime").text(), u"65"_qs);
        QCOMPARE(s.form->msgForm().labelFont(BarLabel::Line).pointSize, 10.0);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
