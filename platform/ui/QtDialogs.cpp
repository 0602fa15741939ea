#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tavlo {

void QtDialogs::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtDialogs::confirmWarning(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("UYARI"), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::showError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

std::optional<QString> QtDialogs::chooseFileToOpen(const QString& startFolder)
{
    // An open dialog that is not told the file must exist, so that it also
    // takes a new name. Qt's own dialog: the desktops' native open dialogs
    // take only files that exist.
    QFileDialog dialog(QApplication::activeWindow(), QString(), startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.constFirst().isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

}  // namespace tavlo
