#pragma once

#include "common/rgb.h"

#include <QString>
#include <optional>

// What the connection manager reads from and shows in the main window. The
// window's controls are the working configuration, read at each use.
class ConnectionView
{
public:
    virtual ~ConnectionView() = default;
    virtual QString serverAddressText() const = 0;
    virtual QString serverPortText() const = 0;
    virtual bool autoConnectChecked() const = 0;
    // No colour: the label keeps the colour it has.
    virtual void showStatus(const QString& caption, std::optional<Rgb> colour) = 0;
    virtual void setStatusButtonCaption(const QString& caption) = 0;
};
