#include "profile_set_command.h"

#include <cstdio>
#include <optional>
#include <ostream>

#include "cli_context.h"
#include "cli_options.h"
#include "config_command_support.h"
#include "vantrel/config/eeprom_map.h"
#include "vantrel/editors/model/table_editor.h"

namespace vantrel::cli {
namespace {

constexpr int kLastOffset = 0xFF;

struct FieldSetting {
    uint8_t offset;
    double value;
};

std::optional<int> ParseOffset(const std::string& text) {
    RowSpec offset;
    offset.maximum = kLastOffset;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    offset.kind = hex ? ValueKind::Hex : ValueKind::Integer;
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    if (!hex && !digits) return std::nullopt;
    const RowEntry entry = ReadRowEntry(offset, text);
    if (!entry.Ok()) return std::nullopt;
    return static_cast<int>(*entry.value);
}

std::string OffsetText(int offset) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(offset));
    return text;
}

// The fields that start at an offset, in map order (slot words before extra words).
std::vector<const FieldDescriptor*> FieldsAt(int offset) {
    std::vector<const FieldDescriptor*> fields;
    for (const FieldDescriptor& field : EepromMap())
        if (field.offset == offset) fields.push_back(&field);
    return fields;
}

bool InsideAField(int offset) {
    for (const FieldDescriptor& field : EepromMap())
        if (offset > field.offset && offset < field.offset + field.Width()) return true;
    return false;
}

// Checks one OFFSET=VALUE; prints why not and returns nothing when it fails.
std::optional<FieldSetting> CheckPair(CliContext& context, const std::string& pair) {
    const std::size_t equals = pair.find('=');
    const std::optional<int> offset = equals == std::string::npos ? std::nullopt : ParseOffset(pair.substr(0, equals));
    if (!offset) {
        context.err << "vantrel-cli: profile set wants OFFSET=VALUE, not \"" << pair << "\"\n";
        return std::nullopt;
    }
    const std::vector<const FieldDescriptor*> fields = FieldsAt(*offset);
    if (fields.empty()) {
        context.err << "vantrel-cli: " << OffsetText(*offset)
                    << (InsideAField(*offset) ? " is the middle of a field\n" : " names no field\n");
        return std::nullopt;
    }
    // A slot word and an extra word at one offset share their word; the extra
    // word's row decides (it is the one the profile file keeps).
    const FieldDescriptor& field = *fields.back();
    const RowEntry entry = ReadFieldEntry(field, pair.substr(equals + 1));
    if (!entry.Ok()) {
        context.err << "vantrel-cli: " << OffsetText(*offset) << ": " << entry.message << "\n";
        return std::nullopt;
    }
    return FieldSetting{static_cast<uint8_t>(*offset), *entry.value};
}

}  // namespace

int RunProfileSet(CliContext& context, const std::string& path, const std::vector<std::string>& pairs) {
    std::vector<FieldSetting> settings;
    for (const std::string& pair : pairs) {
        const std::optional<FieldSetting> setting = CheckPair(context, pair);
        if (!setting) return kExitUsage;
        settings.push_back(*setting);
    }
    ConfigFields fields;
    if (!LoadConfiguration(context, path, fields)) return 1;
    for (const FieldSetting& setting : settings) {
        for (const FieldDescriptor* field : FieldsAt(setting.offset)) FieldBinding(fields, *field).store(setting.value);
    }
    return SaveConfiguration(context, path, fields);
}

}  // namespace vantrel::cli
