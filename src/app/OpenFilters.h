// The File Open dialog's filter table, in the order the dialog lists it.
#pragma once

#include <array>

namespace pv {

struct OpenFilterRow {
    const char* description;
    const char* patterns;
};

extern const std::array<OpenFilterRow, 19> kOpenFilters;

// The default extension the dialog is given.
inline constexpr const char* kOpenDefaultExtension = "*.jpg";

}  // namespace pv
