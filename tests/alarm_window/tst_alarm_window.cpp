// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_list_model.h"
#include "alarm/alarm_manager.h"
#include "alarm/alarm_rules_file.h"
#include "alarm/alarm_rules_source.h"
#include "alarm_window/alarm_page.h"
#include "alarm_window/alarm_rules_dialog.h"
#include "alarm_window/alarm_window.h"
#include "settings/settings_model.h"
#include "support/fake_notifications.h"
#include "support/fake_sound_player.h"
#include "support/fixed_clock.h"
#include "support/fixed_settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

HandledTelegram call(const QString& code)
{
    HandledTelegram telegram;
    telegram.receivedAt = FixedClock().time;
    telegram.kind = TelegramKind::FiveTone;
    telegram.address = code;
    return telegram;
}

QString cell(const QAbstractItemModel& model, int row, int column)
{
    return model.index(row, column).data().toString();
}

} // namespace

class TestAlarmWindow : public QObject
{
    Q_OBJECT

    FixedClock m_clock;
    FixedSettings m_settings;
    FakeSoundPlayer m_sound;
    FakeNotifications m_notifications;

private slots:
    void listsTheOpenAlarms()
    {
        AlarmManager alarms(m_clock, m_settings, m_sound, m_notifications);
        alarms.setRules(readAlarmRules("ZVEI;2*;;Vollalarm;gong;ja\n", u"/"_s));
        AlarmListModel model(alarms, m_clock);
        AlarmWindow window(model);
        QSignalSpy acknowledge(&window, &AlarmWindow::acknowledgeRequested);
        alarms.take(call(u"21101"_s));
        alarms.take(call(u"21101"_s));
        alarms.take(call(u"22222"_s));
        model.refresh();
        window.follow(true, 20);
        QVERIFY(window.isVisible());
        QVERIFY(window.y() >= 20); // below the bar
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(cell(model, 0, AlarmListModel::WhoColumn), u"22222"_s); // newest on top
        QCOMPARE(cell(model, 1, AlarmListModel::CountColumn), u"×2"_s);
        m_clock.time = m_clock.time.addSecs(83);
        QCOMPARE(cell(model, 1, AlarmListModel::SinceColumn), u"seit 1:23"_s);
        QCOMPARE(cell(model, 1, AlarmListModel::TimeColumn), u"12:34:56"_s);
        QCOMPARE(cell(model, 1, AlarmListModel::TitleColumn), u"Vollalarm"_s);

        for (int i = 0; i < AlarmBook::MaxKept + 3; ++i)
            alarms.take(call(QString::number(23000 + i)));
        model.refresh();
        QCOMPARE(window.findChild<QLabel*>(u"beyond"_s)->text(), u"und 5 weitere"_s);

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(acknowledge.size(), 1);
        window.follow(false, 20);
        QVERIFY(!window.isVisible());
    }

    void sinceTexts()
    {
        QCOMPARE(sinceText(0), u"0:00"_s);
        QCOMPARE(sinceText(59), u"0:59"_s);
        QCOMPARE(sinceText(4502), u"75:02"_s);
    }

    void rulesDialogEditsChecksAndSaves()
    {
        QTemporaryDir lists;
        QFile file(lists.filePath(u"alarmregeln.TXT"_s)); // found whatever its letter case
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# Wache Nord\nZVEI;12345;;Vollalarm;gong;ja\nPOCSAG;1;Q;kaputt\n"
                   "Probealarm;Sa;12:00;12:15\n");
        file.close();
        AlarmRulesSource source(lists.path());
        source.load();
        AlarmRulesDialog dialog(source);
        QSignalSpy test(&dialog, &AlarmRulesDialog::testRequested);
        dialog.showAndRaise();
        auto* rules = dialog.findChild<QTableWidget*>(u"rules"_s);
        auto* save = dialog.findChild<QPushButton*>(u"save"_s);
        QCOMPARE(rules->rowCount(), 2); // the skipped line too, to be mended
        QVERIFY(!save->isEnabled());
        QVERIFY(dialog.findChild<QLabel*>(u"problems"_s)->text().startsWith(u"Zeile 2:"_s));
        rules->item(1, 2)->setText(u"B"_s);
        QVERIFY(save->isEnabled());

        rules->setCurrentCell(1, 0);
        dialog.findChild<QPushButton*>(u"moveUp"_s)->click();
        QCOMPARE(rules->item(0, 3)->text(), u"kaputt"_s);
        dialog.findChild<QPushButton*>(u"test"_s)->click();
        QCOMPARE(test.size(), 1);
        QCOMPARE(test[0][0].value<AlarmRule>().label, u"kaputt"_s);

        save->click();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("# Wache Nord\nPOCSAG;1;B;kaputt;gong;ja\n"
                                            "ZVEI;12345;;Vollalarm;gong;ja\n"
                                            "Probealarm;Sa;12:00;12:15\n"));
        QCOMPARE(source.rules().rules.size(), 2);
    }

    void withoutAFileTheBuiltInRuleIsShown()
    {
        QTemporaryDir lists;
        AlarmRulesSource source(lists.path());
        source.load();
        AlarmRulesDialog dialog(source);
        dialog.showAndRaise();
        auto* rules = dialog.findChild<QTableWidget*>(u"rules"_s);
        QCOMPARE(rules->rowCount(), 1);
        QCOMPARE(rules->item(0, 3)->text(), u"NOTRUF"_s);
    }

    void pageEditsTheSettings()
    {
        SettingsModel settings;
        AlarmPage page(settings);
        auto* repeat = page.findChild<QSpinBox*>(u"repeat"_s);
        QCOMPARE(repeat->value(), 10);
        repeat->setValue(0);
        QCOMPARE(settings.settings().alarmRepeatSeconds, 0);
        QCOMPARE(repeat->text(), u"nur einmal"_s);
        settings.setAlarmNotification(false);
        QVERIFY(!page.findChild<QCheckBox*>(u"notification"_s)->isChecked());
    }
};

Q_DECLARE_METATYPE(AlarmRule)

QTEST_MAIN(TestAlarmWindow)
#include "tst_alarm_window.moc"
