#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

// The notification area: one icon with an image and a tooltip, and the
// mouse activity over it reported as the classic mouse message codes
// (0x200 move, 0x201 left down, 0x202 left up, 0x203 left double click,
// 0x204..0x206 right, 0x207..0x209 middle). Adding a present icon, or
// updating or removing an absent one, changes nothing and reports nothing.
class NotifyAreaService : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void add(const QIcon& image, const QString& tip) = 0;
    virtual void modify(const QIcon& image, const QString& tip) = 0;
    virtual void remove() = 0;
    // False where the service cannot see the mouse resting over the icon.
    virtual bool reportsMouseMovement() const = 0;

signals:
    void mouseReported(int code);
};
