#pragma once
#include <cstdint>
#include <vector>

#include "board_command_table.h"
#include "config_fields.h"
#include "eeprom_image.h"
#include "eeprom_map.h"
#include "vantrel/link/link_settings.h"

namespace vantrel {

// One item of a transfer: an EEPROM word (or byte pair) of the record.
struct TransferStep {
    const FieldDescriptor* field = nullptr;  // nullptr: a step that moves nothing but counts
    uint8_t offset = 0;                      // the EEPROM offset the address transaction names
    DirectionRef direction;                  // the item's flag: 0 read, non-zero write
    bool setAddress = false;                 // starts a run with an address transaction
    int fixedDirection = -1;                 // 0 read, 1 write regardless of the flag; -1 use the flag
    bool failureCounts = true;               // false: the result neither stops nor is reported
    uint8_t* rawWord = nullptr;              // instead of a field: two bytes of an image, low first
};

// A fixed item sequence and how it reacts to failures.
struct TransferPlan {
    std::vector<TransferStep> steps;
    bool anyFailureStops = false;  // otherwise only result 1 stops
    int pauseMs = 0;               // after every transaction

    // Sets the flag of every item (0 read, 1 write).
    void SetDirections(int direction) const;
    TransferPlan& Append(const TransferPlan& other);
};

constexpr int kRead = 0;
constexpr int kWrite = 1;

// Cycle k (0..3): field 0, then fields 3 to 15 (field 3 sets its address again).
TransferPlan CyclePlan(ConfigFields& fields, int cycle);
// Cycle k's field 1 with its own address; its failures count only when asked.
TransferPlan CycleCapacityPlan(ConfigFields& fields, int cycle, bool failureCounts);
// The Cycle editors' group: the cycle, then field 1 (counted only with UPS18).
TransferPlan CycleEditorPlan(ConfigFields& fields, int cycle, FirmwareType firmwareType);
// 0x80 to 0x94 (the byte pairs as one word, each followed by a step that moves
// nothing), then 0xFA, 0xFE, 0xFC and 0x9E with their own addresses.
TransferPlan SetpointsPlan(ConfigFields& fields, const BoardCommandTable& commands);
// Slots first..last, three words each; any failure stops.
TransferPlan SlotsPlan(ConfigFields& fields, int first, int last);
// 0xF8, 0xEA, 0xEC, 0xE6, 0xE8, each with its own address, in the given
// direction, 15 ms after each transaction; any failure stops.
TransferPlan UpsExtrasPlan(ConfigFields& fields, const BoardCommandTable& commands, int direction);
// The EEPROM words at the given even offsets, as raw bytes of image, each
// with its own address, in the given direction.
TransferPlan ImageWordsPlan(EepromImage& image, const std::vector<uint8_t>& offsets, int direction);
// Every word of the EEPROM, 0x00 to 0xFE, in one run from offset 0.
TransferPlan WholeImagePlan(EepromImage& image, int direction);

}  // namespace vantrel
