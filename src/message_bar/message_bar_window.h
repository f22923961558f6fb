// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/font_choice.h"
#include "presentation/message_bar.h"

#include <QTimer>
#include <QWidget>
#include <array>

class QLabel;
class SettingsSource;

// The message bar "Telegrammleiste": a black, frameless strip across the top
// of the screen that shows telegrams without taking the keyboard focus, and
// hides itself after the display time or when it is clicked.
class MessageBarWindow final : public QWidget, public MessageBar
{
    Q_OBJECT

public:
    explicit MessageBarWindow(const SettingsSource& settings);

    void bringUp() override;
    void setCaption(BarLabel label, const QString& caption) override;
    void setLineColour(Rgb colour) override;
    void setEmphasis(BarEmphasis emphasis) override;
    void layoutLabels() override;
    void armHideTimer(int milliseconds) override;

    // All four labels take the font; a visible bar's height follows.
    void applyFont(const FontChoice& font);
    // Into, or out of, the layer of windows that stay above all others.
    void setOnTop(bool onTop);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel& label(BarLabel which) const { return *m_labels[std::size_t(which)]; }
    void setBold(BarLabel which, bool bold);
    void placeLabels(int margin);
    void hideOnTimeout();

    const SettingsSource& m_settings;
    std::array<QLabel*, 4> m_labels{};
    QTimer m_hideTimer;
};
