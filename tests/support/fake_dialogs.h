// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/dialogs.h"

#include <QList>

// Answers every dialog at once and remembers what was asked.
class FakeDialogs final : public Dialogs
{
public:
    QList<MessageBoxRequest> messages;
    QList<FileDialogRequest> fileRequests;
    std::optional<QString> fileAnswer;
    QList<FileDialogRequest> saveRequests;
    std::optional<QString> saveAnswer;
    QList<FontChoice> fontPresets;
    QString fontTitle;
    std::optional<FontChoice> fontAnswer;

    void showMessage(const MessageBoxRequest& request) override { messages << request; }
    std::optional<QString> chooseExistingFile(const FileDialogRequest& request) override
    {
        fileRequests << request;
        return fileAnswer;
    }
    std::optional<QString> chooseSaveFile(const FileDialogRequest& request) override
    {
        saveRequests << request;
        return saveAnswer;
    }
    std::optional<FontChoice> chooseFont(const QString& title, const FontChoice& preset) override
    {
        fontTitle = title;
        fontPresets << preset;
        return fontAnswer;
    }
};
