#pragma once
#include <string>

namespace vantrel {

// Opens files and web addresses with the applications the desktop associates
// with them, without waiting for those applications.
class IDesktop {
public:
    virtual ~IDesktop() = default;
    virtual void OpenFile(const std::string& path) = 0;
    virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace vantrel
