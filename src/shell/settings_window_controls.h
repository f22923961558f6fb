#pragma once

#include <QFont>

class QWidget;

// The main window's font: "MS Sans Serif" 8.25 pt, bold for frame captions
// and labels.
QFont SettingsWindowFont(bool bold);

// Creates every control of the main window from its layout table, with
// names, captions, geometry, tab order and the label each field belongs to.
void CreateSettingsWindowControls(QWidget& window);
