#include "update_all_editor.h"

#include "ups_settings_editor.h"

namespace vantrel {

UpdateAllEditor::UpdateAllEditor(EditorContext& context)
    : TableEditor(context,
                  [] {
                      RowTable table;
                      table.caption = "Update All";
                      table.buttons = {"Read", "Write", "Close"};
                      return table;
                  }(),
                  {}),
      host_(*this) {}

void UpdateAllEditor::Opened() {
    SetProgressRange(1, UpdateAll::kProgressLast);
    SetProgressPosition(1);
    TableEditor::Opened();
}

int UpdateAllEditor::Read() {
    TransferSession session = context_.Session();
    return UpdateAll(session, host_).Read();
}

int UpdateAllEditor::Write() {
    TransferSession session = context_.Session();
    return UpdateAll(session, host_).Write();
}

UpsSettingsEditor* UpdateAllEditor::Host::Ups() const {
    return editor_.openUpsSettings ? editor_.openUpsSettings() : nullptr;
}

bool UpdateAllEditor::Host::UpsSettingsOpen() { return Ups() != nullptr; }

void UpdateAllEditor::Host::UpsSettingsToRecord() {
    if (UpsSettingsEditor* ups = Ups()) ups->SaveToRecord();
}

void UpdateAllEditor::Host::UpsSettingsFromRecord() {
    if (UpsSettingsEditor* ups = Ups()) ups->LoadFromRecord();
}

bool UpdateAllEditor::Host::ClockOrI2cConsoleOpen() {
    const ConsolePasses& consoles = editor_.context_.consoles;
    return consoles.clockOrI2cOpen && consoles.clockOrI2cOpen();
}

void UpdateAllEditor::Host::ConsoleRead() {
    if (editor_.context_.consoles.read) editor_.context_.consoles.read();
}

void UpdateAllEditor::Host::ConsoleWrite() {
    if (editor_.context_.consoles.write) editor_.context_.consoles.write();
}

void UpdateAllEditor::Host::RefreshEditors() {
    if (editor_.refreshEditors) editor_.refreshEditors();
}

}  // namespace vantrel
