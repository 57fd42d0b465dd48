#pragma once

namespace vantrel {

// Dialog units to pixels for a font with the given average character width and height.
constexpr int DialogUnitsToPixelsX(int units, int averageCharWidth) { return units * averageCharWidth / 4; }
constexpr int DialogUnitsToPixelsY(int units, int charHeight) { return units * charHeight / 8; }

}  // namespace vantrel
