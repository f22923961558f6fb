#pragma once

#include "common/dialogs.h"
#include "message_bar.h"

#include <QTimer>
#include <QWidget>
#include <array>

class LiveOptions;
class QLabel;

// The message bar "Telegrammleiste": a black, frameless strip across the top
// of the screen that shows telegrams without taking the keyboard focus.
class MsgForm : public QWidget, public MessageBar
{
    Q_OBJECT

public:
    static constexpr int InitialHideInterval = 5000;

    explicit MsgForm(const LiveOptions& options);

    QLabel& label(BarLabel which) const { return *m_labels[std::size_t(which)]; }
    QTimer& Timer1() { return m_timer; }

    // MessageBar
    void setCaption(BarLabel label, const QString& caption) override;
    void setLineColour(Rgb colour) override;
    void setBold(BarLabel label, bool bold) override;
    void ShowMessageBar() override;
    void LayoutMessageBar() override;
    void armHideTimer(int milliseconds) override;

    // The font chosen for a label (from the settings or the font dialog);
    // the bold marks of the telegram handlers are not part of it.
    FontChoice labelFont(BarLabel which) const;
    void setLabelFont(BarLabel which, const FontChoice& font);
    // The font dialog's choice: all four labels, the bar's height follows
    // when it is visible.
    void applyChosenFont(const FontChoice& font);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeLabels(int margin);
    void Timer1_Timer();

    const LiveOptions& m_options;
    std::array<QLabel*, 4> m_labels{};
    std::array<FontChoice, 4> m_chosenFonts;
    QTimer m_timer;
};
