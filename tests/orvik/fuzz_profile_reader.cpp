// Any profile text must read or fail with a code, never overrun a line.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "orvik/definition/location_address.h"
#include "orvik/image/profile_reader.h"

namespace {

// Locations of 1, 2 and 4 bytes over 0x00 to 0x10F, with a gap at 0x40.
orvik::TMemMap FuzzMemory() {
    orvik::TMemMap memory;
    uint32_t offset = 0;
    for (int n = 0; offset < 0x110; ++n) {
        const int32_t length = n % 3 == 0 ? 1 : n % 3 == 1 ? 2 : 4;
        if (offset != 0x40) {
            memory["L" + std::to_string(n)] = orvik::TMem{{"", "", {}}, orvik::FormatLocationAddress(offset), length};
        }
        offset += static_cast<uint32_t>(length);
    }
    return memory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Built once: the reader keeps its address index, and values left by one
    // input do not change how the next one is read.
    static orvik::TMemMap memory = FuzzMemory();
    static orvik::ProfileReader reader;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    const orvik::ProfileReadResult result = reader.Read(input, "fuzz.psd", memory);
    (void)orvik::ReadFailureText(result);
    return 0;
}
