#pragma once
#include <string>

namespace vantrel {

inline constexpr const char* kNoCommunications =
    "No communications could be established\nEnsure device is powered\nEnsure device is properly "
    "connected\nNote - Autoselect does not work for Firmware Updates";
inline constexpr const char* kCommunicationsEstablished = "Communications established";
inline constexpr const char* kUsePc104Autoselect = "Please use autoselect to communicate with your PC104 device";

// "Communications established on COM 1" ...
inline std::string EstablishedOnCom(int port) {
    return "Communications established on COM " + std::to_string(port);
}
// "Communications established on PC104 300" ... for PortSelection 10 to 13.
std::string EstablishedOnPc104(int portSelection);

}  // namespace vantrel
