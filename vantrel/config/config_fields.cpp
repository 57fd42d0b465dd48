#include "config_fields.h"

#include "eeprom_map.h"

namespace vantrel {

void ConfigFields::ResetFields() {
    *this = ConfigFields{};
    for (const FieldDescriptor& field : EepromMap()) {
        switch (field.area) {
            case FieldArea::Cycle: cycles[static_cast<std::size_t>(field.index)].addresses[static_cast<std::size_t>(field.item)] = field.offset; break;
            case FieldArea::Setpoint: setpointAddresses[static_cast<std::size_t>(field.item)] = field.offset; break;
            case FieldArea::Slot: slots[static_cast<std::size_t>(field.index)].addresses[static_cast<std::size_t>(field.item)] = field.offset; break;
            case FieldArea::Extra: break;
        }
    }
}

}  // namespace vantrel
