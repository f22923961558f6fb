// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/qt_translation.h"
#include "gui_common/qt_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Looks at the dialog that comes up next, then closes it as the user would.
void whenShown(const std::function<void(QDialog&)>& look, bool accept)
{
    QTimer::singleShot(0, [look, accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        look(*dialog);
        accept ? dialog->accept() : dialog->reject();
    });
}

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(installGermanQtTranslation()); }

    void fontDialogKeepsAnUnchangedFont()
    {
        // Arial is Liberation Sans here; OK without a change keeps "Arial".
        QtDialogs dialogs;
        const FontChoice arial{u"Arial"_s, 10, false, false};
        whenShown([](QDialog&) {}, true);
        QCOMPARE(dialogs.chooseFont(u"Schriftart Auswählen"_s, arial), arial);
        const FontChoice bold{u"Liberation Serif"_s, 14, true, true};
        whenShown([](QDialog&) {}, true);
        QCOMPARE(dialogs.chooseFont(u"Schriftart Auswählen"_s, bold), bold);
        whenShown([](QDialog&) {}, false);
        QVERIFY(!dialogs.chooseFont(u"Schriftart Auswählen"_s, arial));
    }

    void fileDialogStartsInTheFolderAndSpeaksGerman()
    {
        QtDialogs dialogs;
        const QString folder = QDir::tempPath();
        QString shownFolder;
        QStringList buttons;
        whenShown(
            [&](QDialog& dialog) {
                shownFolder = static_cast<QFileDialog&>(dialog).directory().absolutePath();
                for (const QPushButton* button : dialog.findChildren<QPushButton*>())
                    buttons << button->text();
            },
            false);
        dialogs.chooseSaveFile({u"Telegramm-Liste exportieren"_s,
                                {u"CSV-Dateien (*.csv)"_s},
                                u"CSV-Dateien (*.csv)"_s,
                                u"Telegramme.csv"_s,
                                folder});
        QCOMPARE(shownFolder, QDir(folder).absolutePath());
        QVERIFY2(buttons.contains(u"Abbrechen"_s), qPrintable(buttons.join(u'|')));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
