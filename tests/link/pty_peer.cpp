#include "pty_peer.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace linktest {
namespace {

void WriteAll(int fd, const uint8_t* data, std::size_t count, const std::atomic<bool>& stop) {
    while (count > 0 && !stop) {
        const ssize_t n = ::write(fd, data, count);
        if (n > 0) {
            data += n;
            count -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        pollfd p{fd, POLLOUT, 0};
        ::poll(&p, 1, 20);
    }
}

}  // namespace

PtyPeer::PtyPeer() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        throw std::runtime_error(std::string("openpty: ") + std::strerror(errno));
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    path_ = name;
}

PtyPeer::~PtyPeer() { HangUp(); }

void PtyPeer::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    stop_ = false;
}

void PtyPeer::Respond(Responder responder) {
    Stop();
    thread_ = std::thread([this, responder = std::move(responder)] {
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            uint8_t buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) continue;
            for (ssize_t i = 0; i < n; ++i) {
                {
                    std::lock_guard lock(mutex_);
                    received_.push_back(buffer[i]);
                }
                const std::vector<uint8_t> answer = responder(buffer[i]);
                WriteAll(master_, answer.data(), answer.size(), stop_);
            }
        }
    });
}

void PtyPeer::Babble(uint8_t byte) {
    Stop();
    thread_ = std::thread([this, byte] {
        const std::vector<uint8_t> burst(64, byte);
        while (!stop_) WriteAll(master_, burst.data(), burst.size(), stop_);
    });
}

void PtyPeer::Send(const std::vector<uint8_t>& bytes) {
    const std::atomic<bool> never{false};
    WriteAll(master_, bytes.data(), bytes.size(), never);
}

std::vector<uint8_t> PtyPeer::Received() {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<uint8_t> PtyPeer::Drain(int waitMs) {
    std::vector<uint8_t> bytes;
    pollfd p{master_, POLLIN, 0};
    while (::poll(&p, 1, waitMs) > 0) {
        uint8_t buffer[256];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

void PtyPeer::HangUp() {
    Stop();
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

}  // namespace linktest
