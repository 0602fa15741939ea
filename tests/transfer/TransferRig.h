#pragma once

#include "store/DataModul.h"
#include "terminal/TSBXPC.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"
#include "tests/transfer/EmulatedTerminal.h"
#include "tests/transfer/RecordingView.h"
#include "tests/transfer/RowShows.h"
#include "transfer/TransferRun.h"

#include <QDate>

#include <memory>
#include <vector>

namespace tavlo::test {

// One terminal row of the terminal table.
struct TerminalRow {
    qint32 cihazNo = 1;
    qint32 machine = 1;
    quint16 port = 0;
    qint32 gcTip = 1;
    bool ticked = true;
    QString password = QString::number(EmulatedTerminal::kPassword);
    QString name = "Terminal";
};

// Everything a transfer run needs, as the main window gives it: an
// application folder, the data module with the terminal table, a registered
// terminal control with short driver time-outs, dialogs that record what
// they show and a view that records every repaint.
class TransferRig {
public:
    static inline const QDate kToday{2024, 3, 5};

    TransferRig();

    // Adds a row at the end of the terminal table; returns its RecId.
    qint32 addTerminal(const TerminalRow& row);
    qint32 addTerminal(const EmulatedTerminal& terminal, qint32 cihazNo = 1, qint32 gcTip = 1);
    // Points a row at another port (an emulator started again).
    void setPort(qint32 recId, quint16 port);
    void setShown(qint32 recId, const RowShows& shown);

    // One click of "Bilgileri Aktar"; what the run throws comes out.
    TransferRun::Ended run();

    RowShows shows(qint32 recId);
    QByteArray movement() const { return app.read("Hareketler.txt"); }
    QByteArray backup(const QDate& day = kToday) const;
    QString backupName(const QDate& day = kToday) const;

    UserFolders user;
    DriverSettings driver{1000, 3000};
    TempFolder app;
    TDataModul data;
    ScriptedDialogs dialogs;
    std::unique_ptr<TSBXPC> control;
    RecordingView view{data.CihazTable};
    TransferSettings settings;
};

// The movement line of a record as the system's format string makes it,
// with the line break of the file.
QByteArray lineOf(qint32 cihazNo, const LogRecord& record, const char* code, qint32 mode);
QByteArray entryLines(qint32 cihazNo, const std::vector<LogRecord>& records);

// `count` valid records of users from `firstUser` on, each an entry of mode 1
// for a terminal of GCTip 1.
std::vector<LogRecord> someRecords(int count, qint32 firstUser = 1);

}  // namespace tavlo::test
