#include "config_fields.h"

#include "eeprom_map.h"

namespace vantrel {

void ConfigFields::ResetFields() {
    *this = ConfigFields{};
    for (const FieldDescriptor& field : EepromMap()) {
        switch (field.area) {
            case FieldArea::Cycle: cycles[field.index].addresses[field.item] = field.offset; break;
            case FieldArea::Setpoint: setpointAddresses[field.item] = field.offset; break;
            case FieldArea::Slot: slots[field.index].addresses[field.item] = field.offset; break;
            case FieldArea::Extra: break;
        }
    }
}

}  // namespace vantrel
