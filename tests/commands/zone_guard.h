#pragma once
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace vantrel::testing_support {

// Sets TZ for one test and puts the old one back.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard() {
        if (old_) setenv("TZ", old_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;

private:
    std::optional<std::string> old_;
};

}  // namespace vantrel::testing_support
