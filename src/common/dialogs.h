// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font_choice.h"

#include <QString>
#include <QStringList>
#include <optional>

// The modal boxes and dialogs the program asks the user through. Tests
// answer them without a click.

struct MessageBoxRequest
{
    enum class Icon
    {
        None,
        Information,
        Critical
    };
    QString text;
    QString title;
    Icon icon = Icon::None;
};

struct FileDialogRequest
{
    QString title;
    QStringList filters; // "Name (*.ext)" entries in display order
    QString selectedFilter;
    QString proposedName;
    QString folder; // where the dialog opens; empty: the platform's choice
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // An OK-only message box; returns when the user has closed it.
    virtual void showMessage(const MessageBoxRequest& request) = 0;
    // The chosen existing file, or nothing when cancelled.
    virtual std::optional<QString> chooseExistingFile(const FileDialogRequest& request) = 0;
    // The file to write, or nothing when cancelled.
    virtual std::optional<QString> chooseSaveFile(const FileDialogRequest& request) = 0;
    // The chosen font, or nothing when cancelled.
    virtual std::optional<FontChoice> chooseFont(const QString& title,
                                                 const FontChoice& preset) = 0;
};
