// libFuzzer target for the Total Commander bar rewrite: another program's file, so any bytes
// must be rewritten or left alone without a sanitizer report, and a rewritten bar must keep
// everything before its count and hold exactly one Pictavo button more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/ButtonBar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bar(reinterpret_cast<const char*>(data), size);
    const pv::BarRewrite r = pv::AddPictavoButton(bar, "C:\\P\\Pictavo.exe", "C:\\P\\");
    if (r.outcome == pv::BarOutcome::Rewritten) {
        const size_t eq = bar.find('=');
        if (r.text.compare(0, eq + 1, bar, 0, eq + 1) != 0 || r.text.find("cmd") == std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
