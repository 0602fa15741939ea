#include "sdk/include/sbxpc/SbpcComm.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <string>

namespace tavlo::test {
namespace {

std::string deviceOf(int port)
{
    char out[256];
    sbc_serial_device(port, out, sizeof out);
    return out;
}

struct PortCase {
    const char* name;
    int port;
    const char* device;
    friend void PrintTo(const PortCase& c, std::ostream* os) { *os << c.name; }
};

class SerialPortRule : public testing::TestWithParam<PortCase> {};

TEST_P(SerialPortRule, MapsAPortNumberToItsDevice)
{
    DriverSettings settings(1000, 1000);
    settings.mapSerialPort(3, "/tmp/terminal-line");
    settings.mapSerialPort(0, "/dev/pts/42");
    EXPECT_EQ(deviceOf(GetParam().port), GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialPortRule,
    testing::Values(PortCase{"FirstPort", 1, "/dev/ttyS0"}, PortCase{"FourthPort", 4, "/dev/ttyS3"},
                    PortCase{"ConfiguredPort", 3, "/tmp/terminal-line"},
                    PortCase{"ConfiguredUsb", 0, "/dev/pts/42"}, PortCase{"Negative", -2, ""}),
    tavlo::test::CaseName{});

TEST(SerialPortRule, UsbWithoutConfigurationIsAUsbSerialDeviceOrNone)
{
    DriverSettings settings(1000, 1000);
    const std::string device = deviceOf(0);
    EXPECT_TRUE(device.empty() || device.rfind("/dev/ttyUSB", 0) == 0 || device.rfind("/dev/ttyACM", 0) == 0)
        << device;
}

struct TimeoutCase {
    const char* name;
    QByteArray file;
    int connectMs;
    int replyMs;
    friend void PrintTo(const TimeoutCase& c, std::ostream* os) { *os << c.name; }
};

class DriverTimeouts : public testing::TestWithParam<TimeoutCase> {};

TEST_P(DriverTimeouts, ComeFromTheConfigurationWithinBounds)
{
    TempFolder folder;
    folder.write("sbxpc.conf", GetParam().file);
    qputenv("SBXPC_CONFIG", folder.file("sbxpc.conf").toLocal8Bit());
    sbc_timeouts t{};
    sbc_read_timeouts(&t);
    qunsetenv("SBXPC_CONFIG");
    EXPECT_EQ(t.connect_ms, GetParam().connectMs);
    EXPECT_EQ(t.reply_ms, GetParam().replyMs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DriverTimeouts,
    testing::Values(TimeoutCase{"Defaults", "", 3000, 5000},
                    TimeoutCase{"Set", "[Timeouts]\nConnectMs=250\r\nReplyMs = 700 ; short\n", 250, 700},
                    TimeoutCase{"Clamped", "[timeouts]\nconnectms=1\nreplyms=99999999\n", 10, 60000},
                    TimeoutCase{"OtherSectionIgnored", "[SerialPorts]\nConnectMs=250\n", 3000, 5000},
                    TimeoutCase{"NotANumber", "[Timeouts]\nConnectMs=soon\n", 3000, 5000}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
