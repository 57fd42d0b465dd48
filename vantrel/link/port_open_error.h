#pragma once
#include <cstring>
#include <string>

namespace vantrel {

// Why a port could not be opened: the device tried and the system's reason,
// the errno value of the call that failed.
struct PortOpenError {
    std::string device;
    int code = 0;  // 0 when the port opened

    bool Failed() const { return code != 0; }
    // The system's text for code ("Permission denied").
    std::string Reason() const { return std::strerror(code); }
};

}  // namespace vantrel
