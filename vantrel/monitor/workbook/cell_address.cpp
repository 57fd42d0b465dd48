#include "cell_address.h"

#include <algorithm>

namespace vantrel::workbook {
namespace {

constexpr int kLetters = 26;
constexpr std::size_t kMaxColumnLetters = 3;
constexpr std::size_t kMaxRowDigits = 7;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int LetterValue(char c) { return (c >= 'a' ? c - 'a' : c - 'A') + 1; }

}  // namespace

std::optional<CellAddress> ParseCellName(std::string_view name) {
    std::size_t i = 0;
    int column = 0;
    while (i < name.size() && IsLetter(name[i])) column = column * kLetters + LetterValue(name[i++]);
    if (i == 0 || i > kMaxColumnLetters || column > kMaxColumns) return std::nullopt;
    const std::size_t digitsStart = i;
    int row = 0;
    while (i < name.size() && IsDigit(name[i])) row = row * 10 + (name[i++] - '0');
    const std::size_t digits = i - digitsStart;
    if (i != name.size() || digits == 0 || digits > kMaxRowDigits || name[digitsStart] == '0' || row > kMaxRows) {
        return std::nullopt;
    }
    return CellAddress{row, column};
}

std::string ColumnName(int column) {
    std::string name;
    while (column > 0) {
        const int digit = (column - 1) % kLetters;
        name.insert(name.begin(), static_cast<char>('A' + digit));
        column = (column - 1) / kLetters;
    }
    return name;
}

std::string CellName(CellAddress cell) { return ColumnName(cell.column) + std::to_string(cell.row); }

CellRect RectBetween(CellAddress a, CellAddress b) {
    return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row), std::max(a.column, b.column)};
}

}  // namespace vantrel::workbook
