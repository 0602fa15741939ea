#include "tests/transfer/TransferRig.h"

namespace tavlo::test {

TransferRig::TransferRig()
{
    user.registerControl();
    control = std::make_unique<TSBXPC>();
    data.CihazTable.open();
    settings.applicationDirectory = app.withSeparator();
    settings.movementFilePath = app.file("Hareketler.txt");
    settings.entryCode = "1";
    settings.exitCode = "0";
    settings.today = kToday;
}

qint32 TransferRig::addTerminal(const TerminalRow& row)
{
    Table& t = data.CihazTable;
    t.append();
    t.setInteger("CihazNo", row.cihazNo);
    t.setString("CihazAdi", row.name);
    t.setInteger("MakineNo", row.machine);
    t.setInteger("BaglantiTipi", 1);
    t.setString("IPAdres", "127.0.0.1");
    t.setString("Parola", row.password);
    t.setInteger("Port", row.port);
    t.setInteger("Isaret", row.ticked ? 1 : 0);
    t.setInteger("GCTip", row.gcTip);
    t.setInteger("TransferDurumu", 0);
    t.post();
    return t.asInteger("RecId");
}

qint32 TransferRig::addTerminal(const EmulatedTerminal& terminal, qint32 cihazNo, qint32 gcTip)
{
    TerminalRow row;
    row.cihazNo = cihazNo;
    row.machine = terminal.machine();
    row.port = terminal.port();
    row.gcTip = gcTip;
    return addTerminal(row);
}

void TransferRig::setPort(qint32 recId, quint16 port)
{
    Table& t = data.CihazTable;
    if (!t.locate("RecId", recId))
        throw std::runtime_error("no such terminal row");
    t.edit();
    t.setInteger("Port", port);
    t.post();
}

void TransferRig::setShown(qint32 recId, const RowShows& shown)
{
    Table& t = data.CihazTable;
    if (!t.locate("RecId", recId))
        throw std::runtime_error("no such terminal row");
    t.edit();
    t.setString("Aciklama", shown.text);
    t.setInteger("TransferDurumu", shown.progress);
    t.post();
}

TransferRun::Ended TransferRig::run()
{
    view.clear();
    return TransferRun(data.CihazTable, *control, settings, view).run();
}

RowShows TransferRig::shows(qint32 recId)
{
    Table& t = data.CihazTable;
    for (int row = 0; row < t.rowCount(); ++row)
        if (t.recIdAt(row) == recId)
            return {t.value(row, *t.findField("Aciklama")).toString(),
                    t.value(row, *t.findField("TransferDurumu")).toInt()};
    throw std::runtime_error("no such terminal row");
}

QString TransferRig::backupName(const QDate& day) const
{
    return "Backup/" + day.toString("yyyy-MM-dd") + ".txt";
}

QByteArray TransferRig::backup(const QDate& day) const
{
    return app.read(backupName(day));
}

QByteArray lineOf(qint32 cihazNo, const LogRecord& r, const char* code, qint32 mode)
{
    return QString::asprintf("%3.3d,%6.6d,%s,%4.4d/%2.2d/%2.2d,%2.2d:%2.2d:00,%1.1d", cihazNo, r.user,
                             code, r.year, r.month, r.day, r.hour, r.minute, mode)
               .toLatin1()
         + "\r\n";
}

QByteArray entryLines(qint32 cihazNo, const std::vector<LogRecord>& records)
{
    QByteArray lines;
    for (const LogRecord& r : records)
        lines += lineOf(cihazNo, r, "1", r.mode);
    return lines;
}

std::vector<LogRecord> someRecords(int count, qint32 firstUser)
{
    std::vector<LogRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back({firstUser + i, 1, 2024, 3, 1 + i % 28, 8 + i % 10, i % 60, i % 60});
    return records;
}

}  // namespace tavlo::test
