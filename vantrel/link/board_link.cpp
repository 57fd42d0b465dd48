#include "board_link.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <thread>
#include <utility>

#include "dev_port_io.h"

namespace vantrel {

CBoardLink::CBoardLink() = default;
CBoardLink::~CBoardLink() = default;

void CBoardLink::SetComDevice(int port, std::string devicePath) { comDevices_[port] = std::move(devicePath); }

std::string CBoardLink::ComDevice(int port) const {
    const auto found = comDevices_.find(port);
    if (found != comDevices_.end()) return found->second;
    if (port < 1) return {};
    return "/dev/ttyS" + std::to_string(port - 1);
}

void CBoardLink::SetPortIo(std::shared_ptr<IPortIo> io) {
    portIo_ = std::move(io);
    portIoTried_ = false;
    portIoReady_ = false;
    portIoError_.clear();
}

IPortIo* CBoardLink::PortIo() {
    if (!portIoTried_) {
        if (!portIo_) portIo_ = std::make_shared<DevPortIo>();
        portIoTried_ = true;
        portIoError_.clear();
        portIoReady_ = portIo_->Acquire(portIoError_);
    }
    return portIoReady_ ? portIo_.get() : nullptr;
}

int CBoardLink::Open(int port, int baud) {
    const std::string device = ComDevice(port);
    lastOpenErrno_ = device.empty() ? ENOENT : serial_.Open(device, baud);
    openFlag = lastOpenErrno_ == 0 ? 1 : 0;
    return openFlag.load();
}

int CBoardLink::Close() {
    if (!serial_.IsOpen()) return 0;
    openFlag = 0;
    serial_.Close();
    return 1;
}

uint32_t CBoardLink::WriteByte(uint8_t byte) {
    const int selection = settings.PortSelection;
    uint32_t sent = 0;
    if (IsSerialSelection(selection)) {
        bytesTransferred = static_cast<uint32_t>(serial_.WriteByte(byte));
        sent = bytesTransferred;
    } else if (IsPc104Selection(selection)) {
        if (IPortIo* io = PortIo()) {
            io->Out(Pc104Address(selection), byte);
            sent = 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pc104ByteDelayMs));
    }
    if (settings.TraceEnabled == 1) trace.AppendSent(byte);
    return sent;
}

uint8_t CBoardLink::ReadByte() {
    const int selection = settings.PortSelection;
    uint8_t byte = 0x01;
    if (IsSerialSelection(selection)) {
        const auto result = serial_.ReadByte(byte, readTimeouts.perByteMs + readTimeouts.constantMs);
        bytesTransferred = result == SerialPort::ReadResult::kByte ? 1 : 0;
        if (bytesTransferred == 0) byte = 0x01;
    } else if (IsPc104Selection(selection)) {
        if (IPortIo* io = PortIo()) byte = io->In(Pc104Address(selection));
        std::this_thread::sleep_for(std::chrono::milliseconds(pc104ByteDelayMs));
    }
    if (settings.TraceEnabled == 1) trace.AppendReceived(byte);
    return byte;
}

uint32_t CBoardLink::BytesAvailable() {
    if (IsSerialSelection(settings.PortSelection)) return serial_.InputQueueCount();
    return 1;  // the bus has no queue to ask
}

int CBoardLink::DrainInput() {
    const int selection = settings.PortSelection;
    if (!IsSerialSelection(selection)) return 0;
    const std::time_t start = std::time(nullptr);
    while (BytesAvailable() > 0) {
        ReadByte();
        if (std::time(nullptr) - start >= drainTimeLimit.load()) return 1;
    }
    return 0;
}

}  // namespace vantrel
