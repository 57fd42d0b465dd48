#include "eeprom_verification.h"

#include "board_command_table.h"
#include "config_fields.h"
#include "transfer_plan.h"

namespace vantrel {
std::array<bool, 256> WholeTransferBytes(FirmwareType firmwareType) {
    ConfigFields fields;
    fields.ResetFields();
    const BoardCommandTable commands;
    TransferPlan plan = UpsExtrasPlan(fields, commands, kWrite);
    for (int cycle = 0; cycle < ConfigFields::kCycleCount; ++cycle) plan.Append(CyclePlan(fields, cycle));
    plan.Append(SlotsPlan(fields, 0, ConfigFields::kEepromSlotCount - 1));
    plan.Append(SetpointsPlan(fields, commands));
    if (firmwareType == FirmwareType::UPS18) {
        for (int cycle = 0; cycle < ConfigFields::kCycleCount; ++cycle) {
            plan.Append(CycleCapacityPlan(fields, cycle, true));
        }
    }
    std::array<bool, 256> moved{};
    for (const TransferStep& step : plan.steps) {
        if (step.field == nullptr) continue;
        // Every item moves a whole word, a byte pair included.
        moved[step.offset] = true;
        moved[step.offset + 1u] = true;
    }
    return moved;
}

EepromImage ExpectedAfterWrite(const EepromImage& before, const EepromImage& written, FirmwareType firmwareType) {
    const std::array<bool, 256> moved = WholeTransferBytes(firmwareType);
    EepromImage expected = before;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (moved[i]) expected[i] = written[i];
    }
    return expected;
}

std::vector<uint8_t> DifferingWords(const EepromImage& a, const EepromImage& b) {
    std::vector<uint8_t> words;
    for (std::size_t offset = 0; offset < a.size(); offset += 2) {
        if (a[offset] != b[offset] || a[offset + 1] != b[offset + 1]) words.push_back(static_cast<uint8_t>(offset));
    }
    return words;
}

}  // namespace vantrel
