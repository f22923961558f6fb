// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_bar_window.h"

#include "common/twips.h"
#include "gui_common/text_colour.h"
#include "gui_common/window_layer.h"
#include "presentation/bar_layout.h"
#include "presentation/bar_use.h"
#include "presentation/display_time.h"
#include "settings/settings.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

constexpr int InitialHideInterval = 5000;

struct LabelDesign
{
    const char16_t* name;
    const char16_t* caption;
    Rgb colour;
    const char16_t* family;
    int leftTwips;
};

constexpr std::array<LabelDesign, 4> Labels{{
    {u"lblTime", u"23:00:33", {255, 255, 255}, u"Arial Narrow", 0},
    {u"Label1", u"Label1gq", {0, 255, 0}, u"Arial", 780},
    {u"lblSprechwunsch", u"Sprechwunsch", {255, 255, 0}, u"Arial Narrow", 4380},
    {u"lblSpricht", u"Es Spricht", {255, 255, 128}, u"Arial Narrow", 5820},
}};

} // namespace

MessageBarWindow::MessageBarWindow(const SettingsSource& settings)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_settings(settings)
{
    setObjectName(QStringLiteral("MsgForm"));
    setWindowTitle(QStringLiteral("Telegrammleiste"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    for (std::size_t i = 0; i < Labels.size(); ++i) {
        const LabelDesign& design = Labels[i];
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf16(design.name));
        label->setAccessibleDescription(QString::fromUtf16(design.name));
        label->setTextFormat(Qt::PlainText); // received text is shown as it came
        label->setPalette(palette);
        label->setAutoFillBackground(true);
        setTextColour(*label, design.colour);
        QFont font(QString::fromUtf16(design.family));
        font.setPointSizeF(9.75);
        label->setFont(font);
        label->setText(QString::fromUtf16(design.caption));
        label->adjustSize();
        label->move(twipsToPixels(design.leftTwips), 0);
        m_labels[i] = label;
    }
    // Clicks on the time and the two radio-traffic labels do nothing.
    for (BarLabel quiet : {BarLabel::Time, BarLabel::RequestToSpeak, BarLabel::Speaking})
        label(quiet).installEventFilter(this);

    m_hideTimer.setInterval(InitialHideInterval);
    connect(&m_hideTimer, &QTimer::timeout, this, &MessageBarWindow::hideOnTimeout);

    // Top-left corner, as wide as the screen, as high as the speaking label.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    setGeometry(0, 0, screenWidth, label(BarLabel::Speaking).height());
}

void MessageBarWindow::bringUp()
{
    const Settings& settings = m_settings.settings();
    const std::optional<int> interval = displayInterval(settings.displayTime);
    if (isVisible()) {
        if (interval)
            armHideTimer(*interval);
        return;
    }
    QWidget* foreground = QApplication::activeWindow();
    show();
    if (barInUse(settings) && settings.barOnTop)
        setOnTop(true);
    if (interval)
        armHideTimer(*interval);
    // The bar never takes the focus; should the window system hand it over
    // anyway, give it back to where the user was working.
    if (foreground && QApplication::activeWindow() != foreground)
        foreground->activateWindow();
}

void MessageBarWindow::setCaption(BarLabel which, const QString& caption)
{
    QLabel& target = label(which);
    target.setText(caption);
    target.adjustSize();
}

void MessageBarWindow::setLineColour(Rgb colour)
{
    setTextColour(label(BarLabel::Line), colour);
}

void MessageBarWindow::setEmphasis(BarEmphasis emphasis)
{
    setBold(BarLabel::RequestToSpeak, emphasis == BarEmphasis::RequestToSpeak);
    setBold(BarLabel::Time, emphasis == BarEmphasis::Message);
    setBold(BarLabel::Line, emphasis == BarEmphasis::Message);
    setBold(BarLabel::Speaking, emphasis == BarEmphasis::Speaking);
}

void MessageBarWindow::layoutLabels()
{
    placeLabels(LayoutMargin);
}

void MessageBarWindow::armHideTimer(int milliseconds)
{
    m_hideTimer.setInterval(milliseconds);
    m_hideTimer.stop();
    m_hideTimer.start();
}

void MessageBarWindow::applyFont(const FontChoice& choice)
{
    for (QLabel* target : m_labels) {
        QFont font = target->font();
        font.setFamily(choice.family);
        if (choice.pointSize > 0)
            font.setPointSizeF(choice.pointSize);
        font.setBold(choice.bold);
        font.setItalic(choice.italic);
        target->setFont(font);
        target->adjustSize();
    }
    if (isVisible())
        resize(width(), label(BarLabel::Speaking).height());
}

void MessageBarWindow::setOnTop(bool onTop)
{
    if (onTop)
        setTopmost(*this);
    else
        setNotTopmost(*this);
}

void MessageBarWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeLabels(ResizeMargin);
}

void MessageBarWindow::showEvent(QShowEvent* event)
{
    // A font applied while hidden (the stored one at start) would otherwise
    // cut the labels off at the old height.
    resize(width(), label(BarLabel::Speaking).height());
    QWidget::showEvent(event);
    // Once the window is mapped; each show may bring a new native window.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            keepOutOfTaskBar(*this);
    });
}

void MessageBarWindow::mousePressEvent(QMouseEvent* event)
{
    // A click on the background or on the message line hides the bar; the
    // hide timer keeps running and later finds the bar hidden.
    event->accept();
    hide();
}

bool MessageBarWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        return true;
    return QWidget::eventFilter(watched, event);
}

void MessageBarWindow::setBold(BarLabel which, bool bold)
{
    QLabel& target = label(which);
    QFont font = target.font();
    font.setBold(bold);
    target.setFont(font);
    target.adjustSize();
}

void MessageBarWindow::placeLabels(int margin)
{
    // The labels are children, placed relative to the bar's own left edge.
    const QLabel& time = label(BarLabel::Time);
    const BarGeometry geometry{0,
                               pixelsToTwips(width()),
                               pixelsToTwips(time.x()),
                               pixelsToTwips(time.width()),
                               pixelsToTwips(label(BarLabel::RequestToSpeak).width()),
                               pixelsToTwips(label(BarLabel::Speaking).width())};
    const BarPositions positions = computeBarLayout(geometry, margin);
    label(BarLabel::Line).move(twipsToPixels(positions.lineLeft), 0);
    label(BarLabel::RequestToSpeak).move(twipsToPixels(positions.requestToSpeakLeft), 0);
    label(BarLabel::Speaking).move(twipsToPixels(positions.speakingLeft), 0);
}

void MessageBarWindow::hideOnTimeout()
{
    hide();
    m_hideTimer.stop();
}
