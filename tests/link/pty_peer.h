#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace linktest {

// The far end of a pseudo-terminal, played by the test itself: a board that
// answers by script, one that never stops talking, or one that hangs up.
class PtyPeer {
public:
    using Responder = std::function<std::vector<uint8_t>(uint8_t hostByte)>;

    PtyPeer();  // throws std::runtime_error when no pseudo-terminal can be had
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& Path() const { return path_; }
    int SlaveFd() const { return slave_; }

    void Respond(Responder responder);  // answers every host byte from a thread
    void Babble(uint8_t byte);          // sends byte without pause from a thread
    void Send(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> Received();    // host bytes seen by the responder
    // Host bytes that arrive within waitMs, when no thread reads them.
    std::vector<uint8_t> Drain(int waitMs);
    void HangUp();                      // closes both ends the peer holds

private:
    void Stop();
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<uint8_t> received_;
};

}  // namespace linktest
