#include "tests/admin/MaintenanceRig.h"

#include "store/Fields.h"

#include <gtest/gtest.h>

namespace tavlo::test {

MaintenanceRig::MaintenanceRig(const QByteArray& records, const QByteArray& users, const QStringList& faults)
    : terminal(records, users, faults)
{
    terminal.driver.setTimeouts(300, 2000);
    data.CihazTable.open();
}

void MaintenanceRig::addTerminal(qint32 type)
{
    Table& t = data.CihazTable;
    t.append();
    t.set(Cihaz::BaglantiTipi, type);
    t.set(Cihaz::MakineNo, LiveTerminal::kMachine);
    t.set(Cihaz::IPAdres, "127.0.0.1");
    t.set(Cihaz::Port, type == kSerialPort ? LiveTerminal::kSerialPort : terminal.emulator->port());
    t.set(Cihaz::Parola, QString::number(LiveTerminal::kPassword));
    t.post();
}

TSBXPC& MaintenanceRig::control()
{
    if (!cc_)
        cc_ = std::make_unique<TSBXPC>();
    return *cc_;
}

bool MaintenanceRig::stillLinked()
{
    qint32 value = 0;
    return control().GetStatusValue(LiveTerminal::kMachine, 8, value);
}

std::uint32_t MaintenanceRig::records() const
{
    return terminal.state().records().count();
}

void MaintenanceRig::transfer(int count)
{
    if (count == 0)
        return;
    TSBXPC reader;
    ASSERT_TRUE(terminal.open(reader, Transport::Tcp));
    reader.SetReadMark(true);
    ASSERT_TRUE(reader.BeginLogRead(LiveTerminal::kMachine));
    qint32 v[10] = {};
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(reader.NextLogRecord(LiveTerminal::kMachine, v[0], v[1], v[2], v[3], v[4], v[5], v[6],
                                         v[7], v[8], v[9]));
    ASSERT_TRUE(reader.CloseLink());
}

std::vector<UserEntry> MaintenanceRig::fetchUsers()
{
    std::vector<UserEntry> users;
    TSBXPC reader;
    EXPECT_TRUE(terminal.open(reader, Transport::Tcp));
    EXPECT_TRUE(reader.BeginUserRead(LiveTerminal::kMachine));
    qint32 enrolmentMachine = LiveTerminal::kMachine;
    UserEntry e;
    qint32 enabled = 0;
    while (reader.NextUserRecord(LiveTerminal::kMachine, e.user, enrolmentMachine, e.enrolment, e.privilege,
                                 enabled)) {
        users.push_back(e);
        enrolmentMachine = LiveTerminal::kMachine;
    }
    reader.CloseLink();
    return users;
}

}  // namespace tavlo::test
