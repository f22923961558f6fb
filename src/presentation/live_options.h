#pragma once

#include <QString>

// The options the telegram handlers, the message bar and the list loaders
// read at the moment they need them. The main window answers from its
// controls, so a change there takes effect with the next telegram.
class LiveOptions
{
public:
    virtual ~LiveOptions() = default;
    virtual bool messageBarActive() const = 0;      // "Aktiv"
    virtual bool messageBarOnTop() const = 0;       // "Im Vordergrund für Sek:"
    virtual QString displayTimeText() const = 0;    // seconds, as typed
    virtual QString messageFilterText() const = 0;  // "Log only:" of the bar
    virtual bool showUnlistedVehicles() const = 0;  // "FMS"
    virtual bool showUnlistedReceivers() const = 0; // "FME"
};
