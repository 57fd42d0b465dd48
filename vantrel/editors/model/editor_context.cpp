#include "editor_context.h"

#include "vantrel/link/board_link.h"

namespace vantrel {

EditorContext::EditorContext(CConfigData& rec, IBoardTransactor& board, IPrompter& shown)
    : record(rec), prompter(shown), transfer(board, rec, rec.commands) {}

FirmwareType EditorContext::Firmware() const { return record.link.settings.FirmwareType; }

}  // namespace vantrel
