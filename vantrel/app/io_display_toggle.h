#pragma once

namespace vantrel {

class LinkTrace;
struct LinkSettings;

inline constexpr const char* kIoDisplayOn = "I/O Display ON";
inline constexpr const char* kIoDisplayOff = "I/O Display OFF";

// Flips TraceEnabled and puts the new state at the very top of the trace text.
void ToggleIoDisplay(LinkSettings& settings, LinkTrace& trace);

}  // namespace vantrel
