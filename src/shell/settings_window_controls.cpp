#include "settings_window_controls.h"

#include "settings_window_layout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QWidget* find(const QWidget& window, const char16_t* name)
{
    return window.findChild<QWidget*>(Name(name));
}

QLabel* findLabel(const QWidget& window, const char16_t* name)
{
    return window.findChild<QLabel*>(Name(name));
}

QLineEdit* findField(const QWidget& window, const char16_t* name)
{
    return window.findChild<QLineEdit*>(Name(name));
}

QRect pixels(const ControlSpec& spec)
{
    return {spec.left / kTwipsPerPixel, spec.top / kTwipsPerPixel, spec.width / kTwipsPerPixel,
            spec.height / kTwipsPerPixel};
}

QWidget* createControl(const ControlSpec& spec, QWidget* parent)
{
    using K = ControlSpec::Kind;
    const QString caption = Name(spec.caption);
    QWidget* widget = nullptr;
    switch (spec.kind) {
    case K::Frame:
        widget = new QGroupBox(caption, parent);
        break;
    case K::Label:
    case K::RightLabel: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(spec.kind == K::RightLabel ? Qt::AlignRight | Qt::AlignTop
                                                       : Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
    }
    case K::TextField:
        widget = new QLineEdit(parent);
        break;
    case K::CheckBox:
        widget = new QCheckBox(caption, parent);
        // The geometry was laid out for a 13-pixel box with a small gap;
        // the default gap would cut "Im Vordergrund für Sek:".
        widget->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
        break;
    case K::Button:
        widget = new QPushButton(caption, parent);
        break;
    }
    const bool boldCaption =
        spec.kind == K::Frame || spec.kind == K::Label || spec.kind == K::RightLabel;
    widget->setFont(SettingsWindowFont(boldCaption));
    widget->setObjectName(Name(spec.name));
    // Screen readers and black-box tools address controls by this; Qt does
    // not expose objectName over AT-SPI.
    widget->setAccessibleDescription(Name(spec.name));
    widget->setGeometry(pixels(spec));
    return widget;
}

} // namespace

// "MS Sans Serif" 8.25 pt; Debian has no such font, Liberation Sans keeps
// Arial's metrics and is the closest.
QFont SettingsWindowFont(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

void CreateSettingsWindowControls(QWidget& window)
{
    for (const ControlSpec& spec : SettingsWindowControls()) {
        QWidget* parent = spec.frame[0] ? find(window, spec.frame) : &window;
        createControl(spec, parent);
    }
    const auto order = SettingsWindowTabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(find(window, order[i - 1]), find(window, order[i]));

    const std::pair<const char16_t*, const char16_t*> buddies[] = {
        {u"Label1", u"txtSrv"},      {u"Label2", u"txtSrvPort"},     {u"Label5", u"txtMsgOnly"},
        {u"Label6", u"chkUnbekFME"}, {u"Label7", u"txtTransparent"}, {u"Label3", u"txtPasswort"},
        {u"Label4", u"txtLogOnly"}};
    for (const auto& [label, field] : buddies)
        findLabel(window, label)->setBuddy(find(window, field));

    auto* status = findLabel(window, u"lblStatus");
    status->setWordWrap(true);
    findField(window, u"txtSrvPort")->setMaxLength(5);
    auto* password = findField(window, u"txtPasswort");
    password->setEchoMode(QLineEdit::Password);
    password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    findField(window, u"txtTransparent")->setToolTip(QStringLiteral("Werte: 0 - 255"));

    // Not in normal use: the transparency is kept but applied nowhere, so it
    // is shown greyed; the database frame lies below the fixed client area
    // and is not shown at all. Both are still loaded and saved.
    find(window, u"Label7")->setEnabled(false);
    find(window, u"txtTransparent")->setEnabled(false);
    find(window, u"Frame3")->hide();
}
