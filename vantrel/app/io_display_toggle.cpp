#include "io_display_toggle.h"

#include "vantrel/link/link_settings.h"
#include "vantrel/link/link_trace.h"

namespace vantrel {

void ToggleIoDisplay(LinkSettings& settings, LinkTrace& trace) {
    if (settings.TraceEnabled == 0) {
        settings.TraceEnabled = 1;
        trace.InsertAtTop(kIoDisplayOn);
    } else {
        settings.TraceEnabled = 0;
        trace.InsertAtTop(kIoDisplayOff);
    }
}

}  // namespace vantrel
