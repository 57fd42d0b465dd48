#include "port_refusal_notice.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>

#include "vantrel/link/board_link.h"

namespace vantrel {

std::string PortRefusalNotice::RefusalLine(int port, const std::string& device) {
    return "COM " + std::to_string(port) + ": permission to open " + device + " was refused";
}

std::string PortRefusalNotice::GroupLine(const std::string& device, const std::string& group) {
    if (group.empty()) return "Ask for read and write access to " + device;
    return "Membership of the group \"" + group + "\" (owner of " + device + ") is needed to use it";
}

std::string PortRefusalNotice::OwningGroup(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return {};
    const struct group* gr = getgrgid(st.st_gid);
    return gr && gr->gr_name ? std::string(gr->gr_name) : std::string{};
}

bool PortRefusalNotice::ReportIfRefused(CBoardLink& link, int port) {
    const int err = link.LastOpenError().code;
    if (err != EACCES && err != EPERM) return false;
    const std::string device = link.ComDevice(port);
    if (!reported_.insert(device).second) return false;

    LinkTrace& trace = link.trace;
    if (trace.PendingLength() > 0) trace.CommitTrace();
    const bool first = trace.CommittedLength() == 0;
    trace.ShowStatus((first ? "" : "\r\n\r\n") + RefusalLine(port, device), GroupLine(device, OwningGroup(device)));
    trace.CommitTrace();
    return true;
}

}  // namespace vantrel
