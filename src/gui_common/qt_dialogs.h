// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/dialogs.h"

class QWidget;

// The platform's message box, open-file and font dialogs.
class QtDialogs final : public Dialogs
{
public:
    void showMessage(const MessageBoxRequest& request) override;
    std::optional<QString> chooseExistingFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const QString& title, const FontChoice& preset) override;
};
