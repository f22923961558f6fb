#pragma once

#include <functional>

class Form1;
class MsgForm;
class SettingsStore;
class TraySummary;

// Reads the eighteen settings into the main window's controls, the bar's
// label fonts and the tray flag, in the order start-up relies on; the
// command-line step runs right after the server address.
void LoadSettings(const SettingsStore& store, Form1& form, MsgForm& bar, TraySummary& tray,
                  const std::function<void()>& afterAddress);

// Writes all eighteen settings back, the fonts from the message line's label.
void SaveSettings(SettingsStore& store, const Form1& form, const MsgForm& bar,
                  const TraySummary& tray);
