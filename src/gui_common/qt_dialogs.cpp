#include "qt_dialogs.h"

#include <QFileDialog>
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
    QFont initial(preset.family);
    if (preset.pointSize > 0)
        initial.setPointSizeF(preset.pointSize);
    initial.setBold(preset.bold);
    initial.setItalic(preset.italic);
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, nullptr, title);
    if (!accepted)
        return std::nullopt;
    return FontChoice{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
}
