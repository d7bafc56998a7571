#include "search/ExtensionPrefilter.h"

#include "platform/Collation.h"

namespace pv {

namespace {

unsigned char At(std::string_view text, size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

unsigned char UpperAt(std::string_view text, size_t i) {
    return i < text.size() ? static_cast<unsigned char>(UpperChar(text[i])) : 0;
}

}  // namespace

uint32_t ExtensionPrefilter::HashOf(std::string_view extension) {
    return Hash(At(extension, 0), At(extension, 1), At(extension, 2));
}

uint32_t ExtensionPrefilter::HashOfUpper(std::string_view extension) {
    return Hash(UpperAt(extension, 0), UpperAt(extension, 1), UpperAt(extension, 2));
}

}  // namespace pv
