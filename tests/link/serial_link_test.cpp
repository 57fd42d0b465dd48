// The byte layer on a serial port, against a pseudo-terminal the test drives.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>

#include "tests/support/wait_until.h"
#include "pty_peer.h"
#include "vantrel/link/board_link.h"

namespace {

using linktest::PtyPeer;
using vantrel::CBoardLink;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A link on COM1 mapped to the peer, with short read time-outs unless told otherwise.
void Attach(CBoardLink& link, PtyPeer& peer, bool shortTimeouts = true) {
    link.SetComDevice(1, peer.Path());
    link.settings.PortSelection = 1;
    if (shortTimeouts) {
        link.readTimeouts.perByteMs = 20;
        link.readTimeouts.constantMs = 20;
    }
    ASSERT_EQ(link.Open(1, 9600), 1) << link.LastOpenError().Reason();
}

void WaitForQueue(CBoardLink& link, uint32_t count) {
    ixen_testing::WaitUntil([&] { return link.BytesAvailable() >= count; });
}

class SlowTraceView : public vantrel::StringTraceView {
public:
    void Replace(std::size_t from, std::size_t length, const std::string& text) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        StringTraceView::Replace(from, length, text);
    }
};

TEST(SerialLink, ComPortsDefaultToTtySDevicesAndCanBeMapped) {
    CBoardLink link;
    EXPECT_EQ(link.ComDevice(1), "/dev/ttyS0");
    EXPECT_EQ(link.ComDevice(8), "/dev/ttyS7");
    link.SetComDevice(1, "/dev/ttyUSB0");
    EXPECT_EQ(link.ComDevice(1), "/dev/ttyUSB0");
    EXPECT_EQ(link.ComDevice(2), "/dev/ttyS1");
}

TEST(SerialLink, OpeningAMissingOrNonTerminalDeviceFails) {
    struct Case {
        const char* device;
        int error;
    };
    for (const Case& c : {Case{"/dev/no-such-serial-port", ENOENT}, Case{"/dev/null", ENOTTY}}) {
        CBoardLink link;
        link.SetComDevice(3, c.device);
        EXPECT_EQ(link.Open(3, 9600), 0) << c.device;
        EXPECT_EQ(link.IsOpen(), 0) << c.device;
        EXPECT_EQ(link.LastOpenError().code, c.error) << c.device;
        EXPECT_EQ(link.Close(), 0) << c.device;
    }
}

TEST(SerialLink, ThePortIsExclusive) {
    PtyPeer peer;
    CBoardLink first;
    CBoardLink second;
    Attach(first, peer);
    second.SetComDevice(1, peer.Path());
    EXPECT_EQ(second.Open(1, 9600), 0);
    EXPECT_EQ(second.LastOpenError().code, EBUSY);
    EXPECT_EQ(second.IsOpen(), 0);

    first.Close();
    EXPECT_EQ(first.IsOpen(), 0);
    EXPECT_EQ(second.Open(1, 9600), 1);
}

TEST(SerialLink, OpeningTheSamePortAgainFailsAndReleasesIt) {
    PtyPeer peer;
    CBoardLink link;
    Attach(link, peer);
    EXPECT_EQ(link.Open(1, 9600), 0);
    EXPECT_EQ(link.LastOpenError().code, EBUSY);
    EXPECT_EQ(link.IsOpen(), 0);
    // Nothing was left holding the device.
    EXPECT_EQ(link.Open(1, 9600), 1);
}

TEST(SerialLink, OpenSets9600Baud8BitsNoParityRawAndKeepsStopBitsAndHandshake) {
    PtyPeer peer;
    termios tio{};
    ASSERT_EQ(tcgetattr(peer.SlaveFd(), &tio), 0);
    tio.c_cflag = (tio.c_cflag & ~static_cast<tcflag_t>(CSIZE)) | CS7 | PARENB | CSTOPB | CRTSCTS;
    tio.c_iflag |= IXON | IXOFF | ICRNL;
    tio.c_lflag |= ICANON | ECHO | ISIG;
    cfsetispeed(&tio, B2400);
    cfsetospeed(&tio, B2400);
    ASSERT_EQ(tcsetattr(peer.SlaveFd(), TCSANOW, &tio), 0);

    CBoardLink link;
    Attach(link, peer);
    const vantrel::SerialLineSettings line = link.Serial().LineSettings();
    EXPECT_EQ(line.baud, 9600);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_FALSE(line.parity);
    EXPECT_FALSE(line.softwareFlow);
    EXPECT_TRUE(line.raw);
    EXPECT_EQ(line.stopBits, 2);
    EXPECT_TRUE(line.hardwareFlow);
}

// A USB adapter holds received bytes for its latency timer unless its driver is
// asked for low latency; a driver that has no such setting, or refuses it, must
// not keep the port from opening.
TEST(SerialLink, OpenAsksTheDriverForLowLatencyAndGoesOnWhenRefused) {
    constexpr int kLowLatency = static_cast<int>(ASYNC_LOW_LATENCY);
    constexpr int kOtherFlags = static_cast<int>(ASYNC_SKIP_TEST | ASYNC_SPD_HI);
    struct Case {
        const char* driver;
        bool hasSerialInfo;
        int flags;
        bool refusesChange;
        bool changeExpected;
    };
    const Case cases[] = {
        {"USB adapter", true, kOtherFlags, false, true},
        {"USB adapter already at low latency", true, kOtherFlags | kLowLatency, false, false},
        {"driver that refuses the change", true, kOtherFlags, true, true},
        {"pseudo-terminal without serial_struct", false, 0, false, false},
    };
    for (const Case& c : cases) {
        PtyPeer peer;
        vantrel::SerialPort port;
        int changes = 0;
        serial_struct asked{};
        port.SetSerialInfoRequest([&](int, unsigned long request, void* info) {
            auto* serial = static_cast<serial_struct*>(info);
            if (request == TIOCGSERIAL && c.hasSerialInfo) {
                *serial = serial_struct{};
                serial->flags = c.flags;
                serial->xmit_fifo_size = 64;
                return 0;
            }
            if (request == TIOCSSERIAL) {
                ++changes;
                asked = *serial;
                if (!c.refusesChange) return 0;
            }
            errno = EINVAL;
            return -1;
        });
        EXPECT_FALSE(port.Open(peer.Path(), 9600).Failed()) << c.driver;
        EXPECT_TRUE(port.IsOpen()) << c.driver;
        EXPECT_EQ(changes, c.changeExpected ? 1 : 0) << c.driver;
        if (c.changeExpected) {
            EXPECT_EQ(asked.flags, c.flags | kLowLatency) << c.driver;
            EXPECT_EQ(asked.xmit_fifo_size, 64) << c.driver << ": the rest is written back as read";
        }
    }
}

TEST(SerialLink, EveryByteValuePassesUntranslatedBothWays) {
    PtyPeer peer;
    peer.Respond([](uint8_t byte) { return std::vector<uint8_t>{byte}; });
    CBoardLink link;
    Attach(link, peer);
    link.settings.TraceEnabled = 0;
    std::vector<uint8_t> sent;
    std::vector<uint8_t> echoed;
    for (int value = 0; value < 256; ++value) {
        sent.push_back(static_cast<uint8_t>(value));
        EXPECT_EQ(link.WriteByte(static_cast<uint8_t>(value)), 1u);
        EXPECT_EQ(link.bytesTransferred, 1u);
        echoed.push_back(link.ReadByte());
    }
    EXPECT_EQ(echoed, sent);  // XON 0x11, XOFF 0x13, CR, LF, ^C included
    EXPECT_EQ(peer.Received(), sent);
}

TEST(SerialLink, ASilentPortReadsAs01AfterAbout200Ms) {
    PtyPeer peer;
    CBoardLink link;
    Attach(link, peer, /*shortTimeouts=*/false);
    const auto start = Clock::now();
    EXPECT_EQ(link.ReadByte(), 0x01);
    const double elapsed = MsSince(start);
    EXPECT_GE(elapsed, 195.0);
    EXPECT_LT(elapsed, 2000.0);
    EXPECT_EQ(link.bytesTransferred, 0u);
    EXPECT_EQ(link.trace.DeviceLine(), "IXEN:<0x01>");
}

TEST(SerialLink, AVanishedDeviceFailsReadsWithoutSpinning) {
    PtyPeer peer;
    CBoardLink link;
    Attach(link, peer);
    peer.HangUp();
    const auto start = Clock::now();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(link.ReadByte(), 0x01);
    EXPECT_GE(MsSince(start), 3 * 40.0 - 5);
    EXPECT_TRUE(link.DeviceLost());
    EXPECT_EQ(link.WriteByte(0xF0), 0u);
    EXPECT_FALSE(link.Synchronise());
}

TEST(SerialLink, BytesAvailableCountsTheInputQueue) {
    PtyPeer peer;
    CBoardLink link;
    Attach(link, peer);
    EXPECT_EQ(link.BytesAvailable(), 0u);
    peer.Send({0x01, 0x02, 0x03});
    WaitForQueue(link, 3);
    EXPECT_EQ(link.BytesAvailable(), 3u);
    link.ReadByte();
    EXPECT_EQ(link.BytesAvailable(), 2u);
}

TEST(SerialLink, DrainInputReadsStaleBytesAndTracesThem) {
    PtyPeer peer;
    CBoardLink link;
    Attach(link, peer);
    peer.Send({0x2A, 0x2B, 0x2C});
    WaitForQueue(link, 3);
    EXPECT_EQ(link.DrainInput(), 0);
    EXPECT_EQ(link.BytesAvailable(), 0u);
    EXPECT_EQ(link.trace.DeviceLine(), "IXEN:<0x2A><0x2B><0x2C>");
}

TEST(SerialLink, DrainInputGivesUpOnABoardThatNeverStops) {
    PtyPeer peer;
    peer.Babble(0x55);
    CBoardLink link;
    Attach(link, peer);
    // A text area that takes a millisecond per update keeps the reader slower than
    // the talker, as tracing does at 9600 baud, so the queue never runs dry.
    SlowTraceView view;
    link.trace.SetView(&view);
    EXPECT_EQ(link.drainTimeLimit.load(), 3);
    link.drainTimeLimit = 1;  // whole seconds: ends within one second
    WaitForQueue(link, 1);
    EXPECT_EQ(link.DrainInput(), 1);
    EXPECT_GT(link.BytesAvailable(), 0u);
    link.trace.SetView(nullptr);
}

TEST(SerialLink, ABoardThatNeverStopsCannotHoldATransaction) {
    PtyPeer peer;
    peer.Babble(0xF0);
    CBoardLink link;
    Attach(link, peer);
    SlowTraceView view;
    link.trace.SetView(&view);
    link.drainTimeLimit = 1;
    link.settings.LinkProtocol = 2;
    WaitForQueue(link, 1);
    int32_t word[4] = {};
    // Stale input is discarded for at most the drain limit, and the unclocked
    // answer stops growing at a bound; the bytes read are all 0xF0.
    EXPECT_EQ(link.Transact(0x13, 0x14, word), vantrel::kTransactOk);
    EXPECT_EQ(word[0], 0xF0F0);
    link.trace.SetView(nullptr);
}

TEST(SerialLink, DrainInputAndBootloaderExchangeWorkOnCom5ToCom8Too) {
    // A COM number is whatever device the user mapped to it.
    PtyPeer peer;
    CBoardLink link;
    link.SetComDevice(8, peer.Path());
    link.settings.PortSelection = 8;
    ASSERT_EQ(link.Open(8, 9600), 1);
    peer.Send({0x10, 0x11});
    WaitForQueue(link, 2);
    EXPECT_EQ(link.DrainInput(), 0);
    EXPECT_EQ(link.BytesAvailable(), 0u);
    peer.Send({'*'});  // the bootloader's answer to a record start
    WaitForQueue(link, 1);
    EXPECT_EQ(link.BootloaderExchange(':', 0), 0);
    EXPECT_EQ(peer.Drain(20), std::vector<uint8_t>{':'});
}

TEST(SerialLink, NoPortSendsAndReceivesNothingButTraces) {
    CBoardLink link;
    link.settings.PortSelection = 9;
    EXPECT_EQ(link.WriteByte(0x12), 0u);
    EXPECT_EQ(link.ReadByte(), 0x01);
    EXPECT_EQ(link.BytesAvailable(), 1u);
    EXPECT_EQ(link.DrainInput(), 0);
    EXPECT_EQ(link.trace.HostLine(), "HOST:<0x12>      ");
    EXPECT_EQ(link.trace.DeviceLine(), "IXEN:      <0x01>");
    EXPECT_EQ(link.Transact(0x12, 0xA0, nullptr), vantrel::kTransactNotSynchronised);
}

}  // namespace
