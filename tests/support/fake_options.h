#pragma once

#include "presentation/live_options.h"

// Options as plain fields, defaulting to the main window's design state.
class FakeOptions final : public LiveOptions
{
public:
    bool active = true;
    bool onTop = true;
    QString displayTime = QStringLiteral("30");
    QString filter = QStringLiteral("000;001;002;003;004;005;006;007;008;009;015;106;110");
    bool unlistedVehicles = true;
    bool unlistedReceivers = true;

    bool messageBarActive() const override { return active; }
    bool messageBarOnTop() const override { return onTop; }
    QString displayTimeText() const override { return displayTime; }
    QString messageFilterText() const override { return filter; }
    bool showUnlistedVehicles() const override { return unlistedVehicles; }
    bool showUnlistedReceivers() const override { return unlistedReceivers; }
};
