#pragma once
#include <set>
#include <string>

namespace vantrel {

class CBoardLink;

// Tells in the trace, once per device, that the system refused to open a serial
// device and which group a user must belong to for it.
class PortRefusalNotice {
public:
    // Call after a failed Open of COM port. True when a notice was written.
    bool ReportIfRefused(CBoardLink& link, int port);

    // The line texts, for a device and the group that owns it (empty when unknown).
    static std::string RefusalLine(int port, const std::string& device);
    static std::string GroupLine(const std::string& device, const std::string& group);
    // The name of the group owning the path, or "" when it cannot be found.
    static std::string OwningGroup(const std::string& path);

private:
    std::set<std::string> reported_;
};

}  // namespace vantrel
