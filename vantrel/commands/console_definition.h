#pragma once
#include <array>
#include <string>
#include <vector>

#include "console_line.h"
#include "vantrel/link/link_settings.h"

namespace vantrel {

enum class ConsoleKind { Smbus, Temperature, Other, I2c };

// Which firmware offers a line.
enum class LineOffer { Always, OnlyUps18, NotUps18 };

// The few points where one console differs from another.
struct ConsoleRules {
    std::string caption;
    std::array<std::string, 4> headings;  // value, range/units, description, enable
    std::vector<int> readOrder;
    std::vector<int> writeOrder;
    std::vector<int> displayOrder;  // rows top to bottom
    int futureRows = 0;             // disabled rows labelled "future" below the lines
    bool futureRowsHidden = false;  // those rows are there but never shown
    // Write sends nothing: it copies the enabled lines' fields into the store.
    bool writeOnlyCommits = false;
    // The check boxes are taken as the line flags only by Read and Write, which
    // first publish the old flags for the poll log.
    bool boxesTakenOnPass = false;
    // An editable field commits the console when it loses the keyboard focus.
    bool commitOnFieldExit = false;
};

struct ConsoleDefinition {
    ConsoleKind kind;
    ConsoleRules rules;
    std::vector<ConsoleLine> lines;
    std::vector<LineOffer> offers;  // one per line
    std::vector<std::string> boxCaptions;  // one per line; mostly empty
};

const ConsoleDefinition& SmbusConsoleDefinition();
const ConsoleDefinition& TemperatureConsoleDefinition();
const ConsoleDefinition& OtherConsoleDefinition();
const ConsoleDefinition& I2cConsoleDefinition();
const ConsoleDefinition& DefinitionOf(ConsoleKind kind);

// Whether a line is there with the given firmware type.
bool LineOffered(LineOffer offer, FirmwareType firmwareType);
// Whether a whole console is there (the I2C console only with UPS18).
bool ConsoleOffered(ConsoleKind kind, FirmwareType firmwareType);

}  // namespace vantrel
