// Any definition text must load or be refused with a message, and what loads
// must survive building, walking, checking and saving.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "orvik/definition/memory_map_reader.h"
#include "orvik/definition/profile_definition.h"
#include "orvik/image/config_image.h"
#include "orvik/image/evaluate_map.h"
#include "orvik/image/profile_writer.h"
#include "orvik/wizard/definition_check.h"
#include "orvik/wizard/step_sequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    orvik::ProfileDefinition definition;
    try {
        definition.LoadText(xml);
    } catch (const orvik::DefinitionError&) {
        return 0;
    }
    orvik::NullReporter reporter;
    orvik::TValMap values;
    try {
        orvik::CStep root(definition.Steps(), values);
        orvik::TMemMap memory = orvik::ReadMemoryMap(definition.Memory(), reporter);

        orvik::StepSequence sequence(root, values, reporter);
        sequence.Start();
        // The input's last bytes choose the moves.
        for (std::size_t i = 0; i < 16 && i < size; ++i) {
            const uint8_t move = data[size - 1 - i] % 3;
            if (move == 0) sequence.Next();
            if (move == 1) sequence.Skip();
            if (move == 2) sequence.Back();
            (void)sequence.Buttons();
        }

        orvik::EvaluateMap(memory, values, reporter);
        (void)orvik::FormatProfile(orvik::BuildImage(memory));
        orvik::EvaluateMap(values, memory, reporter);
    } catch (const orvik::DefinitionError&) {
    }
    (void)orvik::CheckDefinition(definition);
    return 0;
}
