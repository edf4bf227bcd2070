#include "platform/qt/qtfiledialogs.h"

#include <QDir>
#include <QFileDialog>

namespace oravians {

namespace {

std::optional<QString> run(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtFileDialogs::openFile(const QString& title, const QStringList& filters)
{
    QFileDialog dialog(parent_, title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    return run(dialog);
}

std::optional<QString> QtFileDialogs::chooseFolder(const QString& title)
{
    QFileDialog dialog(parent_, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return run(dialog);
}

} // namespace oravians
