#include "definitions/obpc_bindings.h"

#include <string>

namespace zephane::obpc_bindings {

// Field paths live as long as the program, so the table can point at them.
const std::vector<FieldBinding>& axis_bindings() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> out;
        for (std::size_t row = 0; row < kRows.size(); ++row)
            for (const Axis& axis : kColumns)
                out.push_back(std::string(axis.field) + "." + kRows[row].field);
        return out;
    }();
    static const std::vector<FieldBinding> table = [] {
        std::vector<FieldBinding> out;
        for (std::size_t row = 0; row < kRows.size(); ++row)
            for (std::size_t column = 0; column < kColumns.size(); ++column)
                out.push_back(bind::number(paths[row * kColumns.size() + column].c_str(),
                                           control_id(column, row), kRows[row].label));
        return out;
    }();
    return table;
}

} // namespace zephane::obpc_bindings
