#include "row_table.h"

#include <algorithm>

namespace vantrel {

bool RowTable::HasEnableBoxes() const {
    return std::any_of(rows.begin(), rows.end(), [](const RowSpec& row) { return row.enableBox; });
}

}  // namespace vantrel
