// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_window/connection_display.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestConnectionDisplay : public QObject
{
    Q_OBJECT

private slots:
    void followsReports()
    {
        // Each report after a connection: what the status label and the
        // button then say. Failures change the caption only.
        const ConnectionDisplay initial;
        QCOMPARE(initial, (ConnectionDisplay{u"Unbekannt"_s, std::nullopt, u"Verbinden"_s}));
        const ConnectionDisplay connected = followReport(initial, {ConnectionEvent::Connected, {}});
        QCOMPARE(connected, (ConnectionDisplay{u"Verbunden"_s, Rgb{0, 255, 0}, u"Trennen"_s}));
        QCOMPARE(followReport(initial, {ConnectionEvent::ConnectedUnconfirmed, {}}),
                 (ConnectionDisplay{u"Verb????"_s, Rgb{0, 0, 255}, u"Trennen"_s}));
        QCOMPARE(followReport(connected, {ConnectionEvent::ClosedByServer, {}}),
                 (ConnectionDisplay{u"Getrennt"_s, Rgb{255, 0, 0}, u"Verbinden"_s}));
        QCOMPARE(followReport(connected, {ConnectionEvent::Failed, u"Netzwerkfehler"_s}),
                 (ConnectionDisplay{u"ERR:Netzwerkfehler"_s, Rgb{0, 255, 0}, u"Trennen"_s}));
        QCOMPARE(followReport(initial, {ConnectionEvent::RetryFailed, u"Überlauf"_s}),
                 (ConnectionDisplay{u"Err:Überlauf"_s, std::nullopt, u"Verbinden"_s}));
        QCOMPARE(followReport(connected, {}), connected);
    }
};

QTEST_GUILESS_MAIN(TestConnectionDisplay)
#include "tst_connection_display.moc"
