#include "orvik/image/config_image.h"

#include <algorithm>
#include <optional>
#include <string>

#include "orvik/definition/location_address.h"
#include "orvik/eval/number_text.h"

namespace orvik {
namespace {

struct PlacedLocation {
    uint32_t offset;
    const TMem* location;
};

}  // namespace

std::vector<uint8_t> BuildImage(const TMemMap& memory) {
    std::vector<PlacedLocation> placed;
    for (const auto& [id, location] : memory) {
        const std::optional<uint32_t> offset = ParseLocationAddress(location.address);
        if (!offset || location.length < 1 || location.length > kLongestLocation) continue;
        placed.push_back({*offset, &location});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const PlacedLocation& a, const PlacedLocation& b) { return a.offset < b.offset; });

    std::vector<uint8_t> image;
    for (const PlacedLocation& place : placed) {
        const uint32_t end = place.offset + static_cast<uint32_t>(place.location->length);
        if (image.size() < end) image.resize(end, 0);
        const auto bits = static_cast<uint32_t>(TruncateToInt32(NumberOrZero(place.location->value)));
        for (int32_t k = 0; k < place.location->length; ++k) {
            image[place.offset + static_cast<uint32_t>(k)] = static_cast<uint8_t>(bits >> (8 * k));
        }
    }
    return image;
}

void ReadBackFromImage(TMemMap& memory, const std::vector<uint8_t>& image) {
    for (auto& [id, location] : memory) {
        const std::optional<uint32_t> offset = ParseLocationAddress(location.address);
        if (!offset || location.length < 1 || location.length > kLongestLocation) continue;
        uint32_t number = 0;
        for (int32_t k = location.length - 1; k >= 0; --k) {
            const std::size_t at = *offset + static_cast<std::size_t>(k);
            number = (number << 8) | (at < image.size() ? image[at] : 0u);
        }
        location.value = std::to_string(number);
    }
}

}  // namespace orvik
