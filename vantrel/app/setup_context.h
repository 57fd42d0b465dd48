#pragma once
#include <cstdint>

namespace vantrel {

class CBoardLink;
class IPrompter;
class EditorHooks;
class PortRefusalNotice;

// What the port-selection dialogs and searches work on.
struct SetupContext {
    CBoardLink& link;
    IPrompter& prompter;
    int32_t& connected;     // the connected flag of the run
    int32_t& commBusy;      // CommBusy
    const EditorHooks& editors;
    PortRefusalNotice& refusals;
};

// How a dialog's button handler leaves its dialog.
enum class DialogStep { Stay, EndOk, EndCancel };

// Ends of a modal dialog.
enum class DialogEnd { Ok, Cancel };

}  // namespace vantrel
