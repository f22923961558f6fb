// SPDX-License-Identifier: GPL-3.0-or-later
#include "autostart/autostart_entry.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAutostart : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void command_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("foundByName");
        QTest::addColumn<QString>("command");
        const QString here = QFINDTESTDATA("tst_autostart.cpp");
        QTest::newRow("installed") << here << here << u"ostrevo --tray"_s;
        QTest::newRow("another ostrevo in the path")
            << here << u"/usr/bin/true"_s << u"\""_s + here + u"\" --tray"_s;
        QTest::newRow("none in the path") << here << QString() << u"\""_s + here + u"\" --tray"_s;
        QTest::newRow("reserved characters")
            << u"/opt/a \"b\" $c`d\\e/ostrevo"_s << QString()
            << u"\"/opt/a \\\"b\\\" \\$c\\`d\\\\e/ostrevo\" --tray"_s;
    }

    void command()
    {
        QFETCH(QString, program);
        QFETCH(QString, foundByName);
        QFETCH(QString, command);
        QCOMPARE(autostartCommand(program, foundByName), command);
    }

    void writtenValidAndRemoved()
    {
        const AutostartEntry entry(
            m_dir.filePath(u"config/autostart/de.ostrevo.Ostrevo.desktop"_s));
        QVERIFY(!entry.exists());
        QCOMPARE(entry.write(u"ostrevo --tray"_s), std::nullopt);
        QVERIFY(entry.exists());
        QFile file(entry.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().split('\n').contains("Exec=ostrevo --tray"));
        if (const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
            !validator.isEmpty()) {
            QProcess validate;
            validate.start(validator, {entry.path()});
            QVERIFY(validate.waitForFinished(10000));
            QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(),
                     qPrintable(QString::fromUtf8(validate.readAllStandardOutput())));
        }
        QCOMPARE(entry.remove(), std::nullopt);
        QVERIFY(!entry.exists());
        QCOMPARE(entry.remove(), std::nullopt); // nothing to remove is no failure
    }

    void unwritableFolderIsReported()
    {
        QFile blocker(m_dir.filePath(u"blocked"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const AutostartEntry entry(m_dir.filePath(u"blocked/autostart/x.desktop"_s));
        QVERIFY(entry.write(u"ostrevo --tray"_s).has_value());
        QVERIFY(!entry.exists());
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
