#include "msg_form.h"

#include "bar_layout.h"
#include "common/caption_text.h"
#include "display_time.h"
#include "live_options.h"
#include "text_colour.h"
#include "window_layer.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

struct LabelDesign
{
    const char16_t* name;
    const char16_t* caption;
    Rgb colour;
    const char16_t* family;
    int leftTwips;
};

constexpr std::array<LabelDesign, 4> kLabels{{
    {u"lblTime", u"23:00:33", {255, 255, 255}, u"Arial Narrow", 0},
    {u"Label1", u"Label1gq", {0, 255, 0}, u"Arial", 780},
    {u"lblSprechwunsch", u"Sprechwunsch", {255, 255, 0}, u"Arial Narrow", 4380},
    {u"lblSpricht", u"Es Spricht", {255, 255, 128}, u"Arial Narrow", 5820},
}};

} // namespace

MsgForm::MsgForm(const LiveOptions& options)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_options(options)
{
    setObjectName(QStringLiteral("MsgForm"));
    setWindowTitle(QStringLiteral("Telegrammleiste"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);

    for (std::size_t i = 0; i < kLabels.size(); ++i) {
        const LabelDesign& design = kLabels[i];
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf16(design.name));
        label->setAccessibleDescription(QString::fromUtf16(design.name));
        label->setTextFormat(Qt::PlainText); // received text is shown as it came
        label->setAutoFillBackground(true);
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, Qt::black);
        label->setPalette(labelPalette);
        SetTextColour(*label, design.colour);
        QFont font(QString::fromUtf16(design.family));
        font.setPointSizeF(9.75);
        label->setFont(font);
        m_chosenFonts[i] = {font.family(), font.pointSizeF(), false, false};
        label->setText(QString::fromUtf16(design.caption));
        label->adjustSize();
        label->move(TwipsToPixels(design.leftTwips), 0);
        m_labels[i] = label;
    }
    for (BarLabel quiet : {BarLabel::Time, BarLabel::Sprechwunsch, BarLabel::Spricht})
        label(quiet).installEventFilter(this);

    m_timer.setInterval(InitialHideInterval);
    connect(&m_timer, &QTimer::timeout, this, &MsgForm::Timer1_Timer);

    // Load step: top-left corner, as wide as the screen, as high as lblSpricht.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    setGeometry(0, 0, screenWidth, label(BarLabel::Spricht).height());
}

void MsgForm::setCaption(BarLabel which, const QString& caption)
{
    QLabel& target = label(which);
    target.setText(captionDisplayText(caption));
    target.adjustSize();
}

void MsgForm::setLineColour(Rgb colour)
{
    SetTextColour(label(BarLabel::Line), colour);
}

void MsgForm::setBold(BarLabel which, bool bold)
{
    QLabel& target = label(which);
    QFont font = target.font();
    font.setBold(bold);
    target.setFont(font);
    target.adjustSize();
}

void MsgForm::ShowMessageBar()
{
    const std::optional<int> interval = DisplayInterval(m_options.displayTimeText());
    if (isVisible()) {
        if (interval)
            armHideTimer(*interval);
        return;
    }
    QWidget* foreground = QApplication::activeWindow();
    show();
    if (m_options.messageBarActive() && m_options.messageBarOnTop())
        SetTopmost(*this);
    if (interval)
        armHideTimer(*interval);
    // The bar never takes the focus; should the window system hand it over
    // anyway, give it back to where the user was working.
    if (foreground && QApplication::activeWindow() != foreground)
        foreground->activateWindow();
}

void MsgForm::LayoutMessageBar()
{
    placeLabels(kLayoutMargin);
}

void MsgForm::armHideTimer(int milliseconds)
{
    m_timer.setInterval(milliseconds);
    m_timer.stop();
    m_timer.start();
}

FontChoice MsgForm::labelFont(BarLabel which) const
{
    return m_chosenFonts[std::size_t(which)];
}

void MsgForm::setLabelFont(BarLabel which, const FontChoice& choice)
{
    QLabel& target = label(which);
    QFont font = target.font();
    font.setFamily(choice.family);
    if (choice.pointSize > 0)
        font.setPointSizeF(choice.pointSize);
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    target.setFont(font);
    target.adjustSize();
    m_chosenFonts[std::size_t(which)] = {font.family(), font.pointSizeF(), choice.bold,
                                         choice.italic};
}

void MsgForm::applyChosenFont(const FontChoice& font)
{
    for (BarLabel which :
         {BarLabel::Time, BarLabel::Line, BarLabel::Sprechwunsch, BarLabel::Spricht})
        setLabelFont(which, font);
    if (isVisible())
        resize(width(), label(BarLabel::Spricht).height());
}

void MsgForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeLabels(kResizeMargin);
}

void MsgForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Once the window is mapped; each show may bring a new native window.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            KeepOutOfTaskBar(*this);
    });
}

void MsgForm::mousePressEvent(QMouseEvent* event)
{
    // A click on the background or on the message line hides the bar; the
    // hide timer keeps running and later finds the bar hidden.
    event->accept();
    hide();
}

bool MsgForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        return true; // clicks on the time and the two radio-traffic labels do nothing
    return QWidget::eventFilter(watched, event);
}

void MsgForm::placeLabels(int margin)
{
    // The labels are children, placed relative to the bar's own left edge.
    const QLabel& time = label(BarLabel::Time);
    const BarGeometry geometry{0,
                               PixelsToTwips(width()),
                               PixelsToTwips(time.x()),
                               PixelsToTwips(time.width()),
                               PixelsToTwips(label(BarLabel::Sprechwunsch).width()),
                               PixelsToTwips(label(BarLabel::Spricht).width())};
    const BarPositions positions = ComputeBarLayout(geometry, margin);
    label(BarLabel::Line).move(TwipsToPixels(positions.lineLeft), 0);
    label(BarLabel::Sprechwunsch).move(TwipsToPixels(positions.sprechwunschLeft), 0);
    label(BarLabel::Spricht).move(TwipsToPixels(positions.sprichtLeft), 0);
}

void MsgForm::Timer1_Timer()
{
    hide();
    m_timer.stop();
}
