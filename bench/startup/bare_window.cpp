// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the start-up benchmark: the least a Qt Widgets program
// does to show one window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(557, 112);
    window.show();
    return app.exec();
}
