// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTest>

using namespace Qt::StringLiterals;

// The desktop as a user drives it, through xdotool.
inline QString xdotool(const QStringList& args)
{
    QProcess process;
    process.start(u"xdotool"_s, args);
    process.waitForFinished(5000);
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

// The first window whose title matches.
inline QString findWindow(const QString& titlePattern)
{
    return xdotool({u"search"_s, u"--name"_s, titlePattern}).section(u'\n', 0, 0);
}

inline QStringList visibleWindows(const QString& titlePattern)
{
    return xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, titlePattern})
        .split(u'\n', Qt::SkipEmptyParts);
}

// The program's tray icon: its smallest window.
inline QString trayIcon(qint64 pid)
{
    QString icon;
    int smallest = INT_MAX;
    const QString windows = xdotool({u"search"_s, u"--pid"_s, QString::number(pid)});
    for (const QString& window : windows.split(u'\n', Qt::SkipEmptyParts)) {
        const QString shell = xdotool({u"getwindowgeometry"_s, u"--shell"_s, window});
        const int width = shell.section(u"WIDTH="_s, 1).section(u'\n', 0, 0).toInt();
        if (width > 0 && width < smallest) {
            smallest = width;
            icon = window;
        }
    }
    return icon;
}

// A notification area at the bottom of the screen; false when none appears.
inline bool startTray(QProcess& trayer)
{
    trayer.start(u"trayer"_s, {u"--edge"_s, u"bottom"_s, u"--widthtype"_s, u"pixel"_s, u"--width"_s,
                               u"120"_s, u"--height"_s, u"32"_s});
    return trayer.waitForStarted(5000) &&
           QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000);
}

// The sample lists, made by the project's generator into a folder.
inline bool makeSampleLists(const QString& generator, const QString& source, const QString& folder)
{
    QProcess process;
    process.start(generator, {source, folder});
    return process.waitForFinished(10000) && process.exitCode() == 0;
}
