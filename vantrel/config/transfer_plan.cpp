#include "transfer_plan.h"

namespace vantrel {
namespace {

constexpr int kUpsExtraPauseMs = 15;

TransferStep CycleStep(ConfigFields& fields, int cycle, int field, bool setAddress) {
    const FieldDescriptor& d = CycleField(cycle, field);
    return {&d, fields.cycles[static_cast<std::size_t>(cycle)].addresses[static_cast<std::size_t>(field)], d.Direction(fields), setAddress};
}

TransferStep SetpointStep(ConfigFields& fields, uint8_t offset, bool setAddress) {
    const FieldDescriptor& d = *FindField(FieldArea::Setpoint, offset);
    return {&d, fields.setpointAddresses[static_cast<std::size_t>(d.item)], d.Direction(fields), setAddress};
}

// The second byte of a pair moves with the first; its step only counts (and carries its flag).
TransferStep PairTail(ConfigFields& fields, uint8_t offset) {
    const FieldDescriptor& d = *FindField(FieldArea::Setpoint, offset);
    return {nullptr, fields.setpointAddresses[static_cast<std::size_t>(d.item)], d.Direction(fields), false};
}

TransferStep ExtraStep(ConfigFields& fields, uint8_t mapOffset, uint8_t boardOffset) {
    const FieldDescriptor& d = *FindField(FieldArea::Extra, mapOffset);
    return {&d, boardOffset, d.Direction(fields), true};
}

}  // namespace

void TransferPlan::SetDirections(int direction) const {
    for (const TransferStep& step : steps) {
        if (auto* flag = std::get_if<uint8_t*>(&step.direction)) **flag = static_cast<uint8_t>(direction);
        if (auto* flag = std::get_if<int32_t*>(&step.direction)) **flag = direction;
    }
}

TransferPlan& TransferPlan::Append(const TransferPlan& other) {
    steps.insert(steps.end(), other.steps.begin(), other.steps.end());
    return *this;
}

TransferPlan CyclePlan(ConfigFields& fields, int cycle) {
    TransferPlan plan;
    plan.steps.push_back(CycleStep(fields, cycle, 0, true));
    for (int field = 3; field < CycleRecord::kFieldCount; ++field) {
        plan.steps.push_back(CycleStep(fields, cycle, field, field == 3));
    }
    return plan;
}

TransferPlan CycleCapacityPlan(ConfigFields& fields, int cycle, bool failureCounts) {
    TransferPlan plan;
    TransferStep step = CycleStep(fields, cycle, 1, true);
    step.failureCounts = failureCounts;
    plan.steps.push_back(step);
    return plan;
}

TransferPlan CycleEditorPlan(ConfigFields& fields, int cycle, FirmwareType firmwareType) {
    TransferPlan plan = CyclePlan(fields, cycle);
    return plan.Append(CycleCapacityPlan(fields, cycle, firmwareType == FirmwareType::UPS18));
}

TransferPlan SetpointsPlan(ConfigFields& fields, const BoardCommandTable& commands) {
    using T = BoardCommandTable;
    TransferPlan plan;
    auto& s = plan.steps;
    s.push_back(SetpointStep(fields, 0x80, true));
    s.push_back(SetpointStep(fields, 0x82, false));
    s.push_back(SetpointStep(fields, 0x84, false));
    s.push_back(SetpointStep(fields, 0x86, false));
    s.push_back(SetpointStep(fields, 0x88, false));
    s.push_back(PairTail(fields, 0x89));
    s.push_back(SetpointStep(fields, 0x8A, false));
    s.push_back(SetpointStep(fields, 0x8C, false));
    s.push_back(SetpointStep(fields, 0x8E, false));
    s.push_back(SetpointStep(fields, 0x90, false));
    s.push_back(PairTail(fields, 0x91));
    s.push_back(SetpointStep(fields, 0x92, false));
    s.push_back(SetpointStep(fields, 0x94, false));
    s.push_back(ExtraStep(fields, 0xFA, commands[T::kMaxBatteryCapacityOffset]));
    s.push_back(ExtraStep(fields, 0xFE, commands[T::kTimeToRechargeOffset]));
    s.push_back(ExtraStep(fields, 0xFC, commands[T::kRemainingCapacityOffset]));
    s.push_back(SetpointStep(fields, 0x9E, true));
    return plan;
}

TransferPlan SlotsPlan(ConfigFields& fields, int first, int last) {
    TransferPlan plan;
    plan.anyFailureStops = true;
    for (int slot = first; slot <= last; ++slot) {
        for (int word = 0; word < SlotRecord::kWordCount; ++word) {
            const FieldDescriptor& d = SlotField(slot, word);
            plan.steps.push_back({&d, fields.slots[static_cast<std::size_t>(slot)].addresses[static_cast<std::size_t>(word)], d.Direction(fields), word == 0});
        }
    }
    return plan;
}

TransferPlan UpsExtrasPlan(ConfigFields& fields, const BoardCommandTable& commands, int direction) {
    using T = BoardCommandTable;
    TransferPlan plan;
    plan.anyFailureStops = true;
    plan.pauseMs = kUpsExtraPauseMs;
    const std::pair<uint8_t, int> extras[] = {
        {0xF8, T::kSdStartupDelayOffset}, {0xEA, T::kAlarmShutdownDelayOffset},
        {0xEC, T::kAlarmStartupDelayOffset}, {0xE6, T::kStatusShutDownOffset}, {0xE8, T::kStatusStartUpOffset},
    };
    for (const auto& [mapOffset, entry] : extras) {
        TransferStep step = ExtraStep(fields, mapOffset, commands[entry]);
        step.fixedDirection = direction == kRead ? kRead : kWrite;
        plan.steps.push_back(step);
    }
    return plan;
}

TransferPlan ImageWordsPlan(EepromImage& image, const std::vector<uint8_t>& offsets, int direction) {
    TransferPlan plan;
    for (const uint8_t offset : offsets) {
        TransferStep step;
        step.offset = offset;
        step.setAddress = true;
        step.fixedDirection = direction == kRead ? kRead : kWrite;
        step.rawWord = &image[offset];
        plan.steps.push_back(step);
    }
    return plan;
}

TransferPlan WholeImagePlan(EepromImage& image, int direction) {
    std::vector<uint8_t> offsets;
    for (std::size_t offset = 0; offset < image.size(); offset += 2) offsets.push_back(static_cast<uint8_t>(offset));
    TransferPlan plan = ImageWordsPlan(image, offsets, direction);
    // The board's pointer moves on by itself after each word.
    for (std::size_t i = 1; i < plan.steps.size(); ++i) plan.steps[i].setAddress = false;
    return plan;
}

}  // namespace vantrel
