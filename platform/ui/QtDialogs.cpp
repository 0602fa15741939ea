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
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), startFolder);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

}  // namespace tavlo
