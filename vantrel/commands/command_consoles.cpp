#include "command_consoles.h"

#include <array>

namespace vantrel {
namespace {

template <std::size_t N>
std::vector<int32_t*> Pointers(std::array<int32_t, N>& flags) {
    std::vector<int32_t*> pointers;
    for (auto& flag : flags) pointers.push_back(&flag);
    return pointers;
}

std::vector<ConsoleLineRef> MakePollLogColumns() {
    std::vector<ConsoleLineRef> columns;
    for (int line = 0; line <= 12; ++line) columns.push_back({ConsoleKind::Smbus, line});
    for (int sensor = 0; sensor < 16; ++sensor) columns.push_back({ConsoleKind::Temperature, sensor});
    for (int line = 0; line <= 8; ++line) columns.push_back({ConsoleKind::Other, line});
    columns.push_back({ConsoleKind::Other, 11});
    columns.push_back({ConsoleKind::I2c, 0});
    columns.push_back({ConsoleKind::I2c, 1});
    columns.push_back({ConsoleKind::Other, 9});
    columns.push_back({ConsoleKind::Other, 10});
    return columns;
}

}  // namespace

const std::vector<ConsoleLineRef>& PollLogColumns() {
    static const std::vector<ConsoleLineRef> columns = MakePollLogColumns();
    return columns;
}

const std::vector<ConsoleLineRef>& LinesWithoutColumn() {
    static const std::vector<ConsoleLineRef> lines = {
        {ConsoleKind::Other, 12}, {ConsoleKind::Other, 13}, {ConsoleKind::Other, 14}, {ConsoleKind::I2c, 2},
        {ConsoleKind::I2c, 3},    {ConsoleKind::I2c, 4},    {ConsoleKind::I2c, 5},
    };
    return lines;
}

CommandConsoles::CommandConsoles(ConsoleEnvironment environment, ConsoleEnableFlags& savedFlags)
    : smbus(SmbusConsoleDefinition(), environment, Pointers(savedFlags.smbus)),
      temperature(TemperatureConsoleDefinition(), environment, Pointers(savedFlags.temperature)),
      other(OtherConsoleDefinition(), environment, Pointers(savedFlags.other)),
      i2c(I2cConsoleDefinition(), environment, {}),
      clock(environment),
      debug(environment),
      savedFlags_(savedFlags) {
    i2c.SetPublishedFlags(Pointers(savedFlags.i2c));
}

CommandConsole& CommandConsoles::Console(ConsoleKind kind) {
    switch (kind) {
        case ConsoleKind::Smbus: return smbus;
        case ConsoleKind::Temperature: return temperature;
        case ConsoleKind::Other: return other;
        case ConsoleKind::I2c: return i2c;
    }
    return smbus;
}

const CommandConsole& CommandConsoles::Console(ConsoleKind kind) const {
    return const_cast<CommandConsoles*>(this)->Console(kind);
}

std::optional<ConsoleLineRef> CommandConsoles::Find(const std::string& name) const {
    for (ConsoleKind kind : {ConsoleKind::Smbus, ConsoleKind::Temperature, ConsoleKind::Other, ConsoleKind::I2c}) {
        const int line = Console(kind).FindLine(name);
        if (line >= 0) return ConsoleLineRef{kind, line};
    }
    return std::nullopt;
}

bool CommandConsoles::Offers(ConsoleLineRef ref, FirmwareType firmwareType) {
    const ConsoleDefinition& definition = DefinitionOf(ref.console);
    return ConsoleOffered(ref.console, firmwareType) &&
           LineOffered(definition.offers[static_cast<std::size_t>(ref.line)], firmwareType);
}

void CommandConsoles::ApplyFirmwareType(FirmwareType firmwareType) {
    for (ConsoleKind kind : {ConsoleKind::Smbus, ConsoleKind::Temperature, ConsoleKind::Other, ConsoleKind::I2c}) {
        Console(kind).ApplyFirmwareType(firmwareType);
    }
}

void CommandConsoles::UpdateAllRead(bool clockExists, bool i2cExists) {
    if (clockExists) clock.ReadPass();
    if (i2cExists) i2c.ReadPass();
}

void CommandConsoles::UpdateAllWrite(bool clockExists, bool i2cExists) {
    if (clockExists) clock.WriteStore();
    if (i2cExists) i2c.WritePass();
}

bool CommandConsoles::LogColumnEnabled(ConsoleLineRef ref) const {
    if (ref.console == ConsoleKind::I2c) {
        return ref.line < static_cast<int>(savedFlags_.i2c.size()) &&
               savedFlags_.i2c[static_cast<std::size_t>(ref.line)] != 0;
    }
    return Console(ref.console).Enabled(ref.line);
}

}  // namespace vantrel
