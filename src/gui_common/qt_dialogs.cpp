// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_dialogs.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>

void QtDialogs::showMessage(const MessageBoxRequest& request)
{
    QMessageBox box;
    box.setWindowTitle(request.title);
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    switch (request.icon) {
    case MessageBoxRequest::Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageBoxRequest::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageBoxRequest::Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.exec();
}

namespace {

std::optional<QString> chooseFile(const FileDialogRequest& request, QFileDialog::FileMode mode,
                                  QFileDialog::AcceptMode accept)
{
    QFileDialog dialog(nullptr, request.title);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(accept);
    dialog.setNameFilters(request.filters);
    dialog.selectNameFilter(request.selectedFilter);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtDialogs::chooseExistingFile(const FileDialogRequest& request)
{
    return chooseFile(request, QFileDialog::ExistingFile, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::chooseSaveFile(const FileDialogRequest& request)
{
    return chooseFile(request, QFileDialog::AnyFile, QFileDialog::AcceptSave);
}

std::optional<FontChoice> QtDialogs::chooseFont(const QString& title, const FontChoice& preset)
{
    const auto font = [&preset](const QString& family) {
        QFont made(family);
        if (preset.pointSize > 0)
            made.setPointSizeF(preset.pointSize);
        made.setBold(preset.bold);
        made.setItalic(preset.italic);
        return made;
    };
    // The dialog lists the fonts that exist ("Liberation Sans"), not the
    // names that stand for them ("Arial"): preset it with the one in use.
    const QString inUse = QFontInfo(font(preset.family)).family();
    QFont initial = font(inUse);
    // The dialog finds the style by its name, and with the German
    // translation it looks for "Fett Kursiv" among "Bold Italic" …: name it
    // as the font database does, or bold and italic get lost.
    for (const QString& style : QFontDatabase::styles(inUse)) {
        if (QFontDatabase::bold(inUse, style) == preset.bold &&
            QFontDatabase::italic(inUse, style) == preset.italic) {
            initial.setStyleName(style);
            break;
        }
    }
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, nullptr, title);
    if (!accepted)
        return std::nullopt;
    // The font kept: under the name the user chose it by, unless another one.
    const QString family = chosen.family() == inUse ? preset.family : chosen.family();
    return FontChoice{family, chosen.pointSizeF(), chosen.bold(), chosen.italic()};
}
