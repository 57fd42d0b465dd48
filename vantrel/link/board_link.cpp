#include "board_link.h"

#include <cerrno>
#include <chrono>
#include <utility>

namespace vantrel {
namespace {

constexpr uint8_t kNothingReceived = 0x01;  // what a read gives when no byte came

}  // namespace

CBoardLink::CBoardLink() = default;
CBoardLink::~CBoardLink() = default;

void CBoardLink::SetComDevice(int port, std::string devicePath) { comDevices_[port] = std::move(devicePath); }

std::string CBoardLink::ComDevice(int port) const {
    const auto found = comDevices_.find(port);
    if (found != comDevices_.end()) return found->second;
    if (port < 1) return {};
    return "/dev/ttyS" + std::to_string(port - 1);
}

ITransport& CBoardLink::Transport() {
    const int selection = settings.PortSelection;
    if (transport_ != nullptr && selection == transportSelection_) return *transport_;
    transportSelection_ = selection;
    if (IsSerialSelection(selection)) {
        serial_.SetBootloaderPort(IsBootloaderSerialSelection(selection));
        transport_ = &serial_;
    } else if (IsPc104Selection(selection)) {
        pc104_.SetAddress(Pc104Address(selection));
        transport_ = &pc104_;
    } else {
        transport_ = &noPort_;
    }
    return *transport_;
}

int CBoardLink::Open(int port, int baud) {
    const std::string device = ComDevice(port);
    lastOpenError_ = device.empty() ? PortOpenError{device, ENOENT} : serial_.Port().Open(device, baud);
    openFlag = lastOpenError_.Failed() ? 0 : 1;
    Transport();
    return openFlag.load();
}

int CBoardLink::Close() {
    if (!serial_.Port().IsOpen()) return 0;
    openFlag = 0;
    serial_.Close();
    return 1;
}

void CBoardLink::Sent(uint8_t byte) {
    if (settings.TraceEnabled == 1) trace.AppendSent(byte);
}

void CBoardLink::Received(uint8_t byte) {
    if (settings.TraceEnabled == 1) trace.AppendReceived(byte);
}

uint32_t CBoardLink::WriteByte(uint8_t byte) {
    bytesTransferred = Transport().WriteByte(byte) ? 1 : 0;
    // The trace shows what was meant to be sent, also when nothing went out.
    Sent(byte);
    return bytesTransferred;
}

uint8_t CBoardLink::ReadByte() {
    const std::optional<uint8_t> received = Transport().ReadByte(SingleByteTimeoutMs());
    bytesTransferred = received ? 1 : 0;
    const uint8_t byte = received.value_or(kNothingReceived);
    Received(byte);
    return byte;
}

uint32_t CBoardLink::BytesAvailable() { return Transport().InputCount(); }

int CBoardLink::DrainInput() {
    return Transport().Drain(std::chrono::seconds(drainTimeLimit.load()), SingleByteTimeoutMs(), *this) ? 1 : 0;
}

int CBoardLink::BootloaderExchange(uint8_t ch, int skip) {
    if (skip != 0) return static_cast<int>(BootloaderAnswer::kAccepted);
    return static_cast<int>(Transport().BootloaderStep(ch, bootloaderSequence, SingleByteTimeoutMs(), *this));
}

}  // namespace vantrel
