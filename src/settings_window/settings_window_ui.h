// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls of the settings window, built by hand the way a form
// designer would: names, captions, geometry, fonts and keyboard order.
// Each control's object name and accessible description is the name the
// window has always given it, which assistive and test tools address.
struct SettingsWindowUi
{
    QGroupBox* serverFrame;
    QLabel* addressLabel;
    QLineEdit* address;
    QLabel* portLabel;
    QLineEdit* port;

    QGroupBox* statusFrame;
    QLabel* status;
    QPushButton* connectButton;
    QCheckBox* autoConnect;

    QGroupBox* barFrame;
    QCheckBox* barActive;
    QCheckBox* barOnTop;
    QLineEdit* displayTime;
    QLabel* messageFilterLabel;
    QLineEdit* messageFilter;
    QLabel* unlistedLabel;
    QCheckBox* showUnlistedReceivers;
    QCheckBox* showUnlistedVehicles;
    QPushButton* fontButton;
    QCheckBox* trayIcon;
    QLabel* transparencyLabel;
    QLineEdit* transparency;

    // Below the visible client area; its values are kept all the same.
    QGroupBox* databaseFrame;
    QLineEdit* databaseFile;
    QPushButton* databaseButton;
    QLabel* passwordLabel;
    QLineEdit* password;
    QLabel* databaseFilterLabel;
    QLineEdit* databaseFilter;

    void setupUi(QWidget& window);
};
