#include "app/MainWindowSetup.h"

#include "app/Settings.h"
#include "platform/Error.h"
#include "platform/FileName.h"
#include "store/DataModul.h"

#include <QDir>
#include <QFileInfo>

namespace tavlo {

MainWindowSetup::MainWindowSetup(TDataModul& data, ProgramValues& values, MainWindowView& view)
    : data_(data), values_(values), view_(view)
{
}

void MainWindowSetup::run(const QString& applicationDirectory)
{
    values_.applicationDirectory = applicationDirectory;
    readSettings();
    loadTerminalList();
    loadPersonnelList();
}

void MainWindowSetup::readSettings()
{
    const Settings settings(values_.applicationDirectory);
    const PrivateProfile& profile = settings.profile();

    QString path = profile.readString(Settings::kSection, Settings::kMovementFile, QString());
    if (path.isEmpty()) {
        path = values_.applicationDirectory + QLatin1String(kDefaultMovementFile);
        settings.writeText(Settings::kSection, Settings::kMovementFile, path);
    }
    // The setting keeps the name as given; a relative one stands for a file
    // of the application folder.
    values_.movementFilePath = resolveFileName(values_.applicationDirectory, path);
    view_.showMovementFilePath(values_.movementFilePath);

    // The box starts unticked; ticking it is a change whose handler stores 1.
    if (profile.readBool(Settings::kSection, Settings::kDeleteAfterTransfer, true)) {
        view_.tickDeleteAfterTransferQuietly();
        settings.writeInteger(Settings::kSection, Settings::kDeleteAfterTransfer, 1);
    }

    values_.entryCode = profile.readString(Settings::kSection, Settings::kEntryCode, "1")
                            .left(Settings::kCodeLength);
    values_.exitCode = profile.readString(Settings::kSection, Settings::kExitCode, "0")
                           .left(Settings::kCodeLength);
}

void MainWindowSetup::loadTerminalList()
{
    Table& terminals = data_.CihazTable;
    terminals.open();
    terminals.LoadTableFile(
        resolveFileName(values_.applicationDirectory, QLatin1String(kTerminalListFile)));
    // The status columns belong to one run; the file keeps the old values
    // until the list is next saved.
    terminals.editEveryRow([](Table& row) {
        row.set(Cihaz::TransferDurumu, 0);
        row.set(Cihaz::Aciklama, QString());
    });
    terminals.first();
    terminals.refresh();
}

void MainWindowSetup::loadPersonnelList()
{
    Table& personnel = data_.PersonelTable;
    personnel.open();

    const QString dataFolder =
        resolveFileName(values_.applicationDirectory, QLatin1String(kDataFolder));
    if (!QFileInfo(dataFolder).isDir() && !QDir().mkdir(dataFolder))
        throw Error(QStringLiteral("Data klasörü oluşturulamıyor"));

    const QString personnelFile =
        resolveFileName(values_.applicationDirectory, QLatin1String(kPersonnelFile));
    if (!QFileInfo::exists(personnelFile))
        personnel.SaveTableFile(personnelFile);
    personnel.LoadTableFile(personnelFile);
}

}  // namespace tavlo
