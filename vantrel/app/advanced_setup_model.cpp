#include "advanced_setup_model.h"

#include "board_search.h"
#include "editor_hooks.h"
#include "setup_messages.h"
#include "vantrel/link/board_link.h"
#include "vantrel/link/prompter.h"

namespace vantrel {

bool AdvancedSetupModel::PortEnabled(int port) const {
    if (IsSerialSelection(port)) return comEnabled_[static_cast<std::size_t>(port - 1)];
    return IsPc104Selection(port);
}

void AdvancedSetupModel::Open() {
    LinkSettings& s = ctx_.link.settings;
    progress = ProgressState{1, 21, 1};
    for (int port = 1; port <= 8; ++port) comEnabled_[static_cast<std::size_t>(port - 1)] = SelectPort(port);
    osprenChecked = s.SelectorAddressing == 1;
    debugOn = s.DebugMode == 1;
    checkedPort = s.PortSelection;
    if (s.LinkProtocol > 2) s.LinkProtocol = 2;
    checkedProtocol = s.LinkProtocol;
    if (static_cast<int>(s.FirmwareType) >= kFirmwareTypeCount) s.FirmwareType = FirmwareType::Standard;
    checkedFirmware = static_cast<int>(s.FirmwareType);
}

bool AdvancedSetupModel::SelectPort(int port) {
    LinkSettings& s = ctx_.link.settings;
    s.PortSelection = static_cast<uint16_t>(port);
    if (IsSerialSelection(port)) {
        const bool opened = OpenComForSelection(ctx_, port);
        noBusTimerEnabled = true;
        return opened;
    }
    if (!IsPc104Selection(port) || !PortEnabled(port)) return false;
    if (s.LinkProtocol == 2) {
        s.LinkProtocol = 1;
        checkedProtocol = 1;
    }
    noBusTimerEnabled = false;
    return true;
}

void AdvancedSetupModel::UpdateAddressesAndDebug() {
    LinkSettings& s = ctx_.link.settings;
    if (s.SelectorAddressing == 1) {
        s.BoardWriteAddress = 0x14;
        s.BoardReadAddress = 0x15;
    } else {
        s.BoardWriteAddress = 0x12;
        s.BoardReadAddress = 0x13;
    }
    s.DebugMode = debugOn ? 1 : 0;
}

void AdvancedSetupModel::ClickPort(int port) {
    if (!PortEnabled(port)) return;
    checkedPort = port;
    SelectPort(port);
}

void AdvancedSetupModel::ClickProtocol(int protocol) {
    if (protocol < 0 || protocol > 2) return;
    if (protocol == 2 && !noBusTimerEnabled) return;
    checkedProtocol = protocol;
    UpdateAddressesAndDebug();
    LinkSettings& s = ctx_.link.settings;
    if (IsSerialSelection(s.PortSelection)) SelectPort(s.PortSelection);
    ctx_.link.drainTimeLimit = kSetupDrainTimeLimit;
    WriteBoardCommand(ctx_.link, kNotifyCommand, protocol == 2 ? 0 : 1);
    s.LinkProtocol = static_cast<uint16_t>(protocol);
    ReadBoardCommand(ctx_.link, kNotifyCommand);
}

void AdvancedSetupModel::ClickFirmware(int firmwareType) {
    if (firmwareType < 0 || firmwareType >= kFirmwareTypeCount || !firmwareEnabled[static_cast<std::size_t>(firmwareType)]) return;
    checkedFirmware = firmwareType;
    ctx_.link.settings.FirmwareType = static_cast<FirmwareType>(firmwareType);
}

void AdvancedSetupModel::ClickOspren() {
    LinkSettings& s = ctx_.link.settings;
    if (s.SelectorAddressing == 0) {
        s.SelectorAddressing = 1;
        s.FirmwareType = FirmwareType::UPS18;
        checkedFirmware = static_cast<int>(FirmwareType::UPS18);
        firmwareEnabled = {false, false, true};
        osprenChecked = true;
    } else {
        s.SelectorAddressing = 0;
        firmwareEnabled = {true, true, true};
        osprenChecked = false;
    }
}

void AdvancedSetupModel::ClickDebug(bool on) {
    debugOn = on;
    ctx_.link.settings.DebugMode = on ? 1 : 0;
}

void AdvancedSetupModel::AutoSelect() {
    checkedPort = 0;
    UpdateAddressesAndDebug();
    progress = ProgressState{1, 22, 1};
    Changed();

    const SearchPlan plan = AutoSelectPlan(ctx_.link.settings.PortSelection);
    for (int port : plan.ports) {
        checkedProtocol = kNoButton;
        if (!SelectPort(port)) continue;
        checkedPort = port;
        for (int protocol : ProtocolsFor(plan, port)) {
            if (progress.value < progress.maximum) ++progress.value;
            checkedProtocol = protocol;
            Changed();
            if (ProbeWithProtocol(ctx_.link, protocol).Ok()) {
                ctx_.prompter.Message(kCommunicationsEstablished);
                progress.value = progress.minimum;
                Changed();
                return;
            }
        }
        checkedPort = 0;
    }
    ctx_.prompter.Message(kNoCommunications);
    progress.value = progress.minimum;
    SelectPort(1);
    Changed();
}

DialogStep AdvancedSetupModel::Apply() {
    LinkSettings& s = ctx_.link.settings;
    ctx_.link.drainTimeLimit = kSetupDrainTimeLimit;
    okEnabled = false;

    if (checkedFirmware >= 0) s.FirmwareType = static_cast<FirmwareType>(checkedFirmware);
    if (osprenChecked) {
        s.SelectorAddressing = 1;
        s.FirmwareType = FirmwareType::UPS18;
    } else {
        s.SelectorAddressing = 0;
    }
    UpdateAddressesAndDebug();

    if (IsSerialSelection(s.PortSelection)) OpenComForSelection(ctx_, s.PortSelection);
    SelectPort(s.PortSelection);

    ctx_.editors.LinkSetupChanged();
    ctx_.editors.AdvancedApplied();

    if (WriteBoardCommand(ctx_.link, kNotifyCommand, s.LinkProtocol == 2 ? 0 : 1) != 0)
        ReadBoardCommand(ctx_.link, kNotifyCommand);

    okEnabled = true;
    return DialogStep::EndOk;
}

}  // namespace vantrel
