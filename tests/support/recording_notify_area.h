#pragma once

#include "tray/notify_area_service.h"

#include <QStringList>

// Records add/modify/delete with the tip, keeps the icon's presence and
// lets a test report mouse codes.
class RecordingNotifyArea final : public NotifyAreaService
{
public:
    QStringList calls; // "add|tip", "modify|tip", "delete"
    bool present = false;
    QIcon image;
    QString tip;
    bool seesMovement = true;

    void add(const QIcon& icon, const QString& text) override
    {
        if (present)
            return;
        present = true;
        record(QStringLiteral("add|") + text, icon, text);
    }
    void modify(const QIcon& icon, const QString& text) override
    {
        if (present)
            record(QStringLiteral("modify|") + text, icon, text);
    }
    void remove() override
    {
        if (!present)
            return;
        present = false;
        calls << QStringLiteral("delete");
    }
    bool reportsMouseMovement() const override { return seesMovement; }
    void report(int code) { emit mouseReported(code); }

private:
    void record(const QString& call, const QIcon& icon, const QString& text)
    {
        calls << call;
        image = icon;
        tip = text;
    }
};
