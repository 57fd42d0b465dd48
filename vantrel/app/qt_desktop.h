#pragma once
#include "desktop.h"

namespace vantrel {

// The desktop's associated applications (QDesktopServices).
class QtDesktop : public IDesktop {
public:
    void OpenFile(const std::string& path) override;
    void OpenAddress(const std::string& address) override;
};

}  // namespace vantrel
