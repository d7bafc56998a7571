// Linked into every fuzz target. A budget of a few megapixels, as fuzzed image libraries
// commonly use: inputs declaring huge pictures are refused at once instead of each
// execution allocating and filling up to a gigabyte, so the fuzzer explores far more.
#include <cstddef>

#include "base/DecodeLimits.h"

namespace {
constexpr size_t kFuzzDecodeBudget = size_t{8} << 20;
const bool budgetSet = (pv::SetDecodeBudget(kFuzzDecodeBudget), true);
}  // namespace

// Keeps the initialiser from being dropped as unused.
extern "C" const bool* PvFuzzBudgetSet() {
    return &budgetSet;
}
