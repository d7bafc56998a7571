// Portable word sort, close enough to Windows' CompareString for file names to sort the
// same way: punctuation before digits before letters, letters without case first, the
// hyphen and apostrophe almost ignored ("ab" before "a-b"), and on a tie lowercase before
// uppercase ("b.jpg" before "B.jpg"). Windows builds use the system's functions instead.
#include <array>

#include "base/Text.h"
#include "platform/Collation.h"

namespace pv {

namespace {

bool IsIgnorable(char c) {
    return c == '-' || c == '\'';
}

// Word sort puts the ASCII symbols in this order, not in code order: the math symbols
// "+<=>" come after all the others, all of them before the digits.
constexpr std::string_view kSymbolOrder = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

constexpr std::array<unsigned short, 256> MakeWeights() {
    std::array<unsigned short, 256> w{};
    for (unsigned c = 0; c < 256; ++c) {
        if (c >= 0x80) {
            w[c] = static_cast<unsigned short>(0x400u + c);  // other scripts after Latin
        } else if (c >= '0' && c <= '9') {
            w[c] = static_cast<unsigned short>(0x200u + c);
        } else if (c >= 'a' && c <= 'z') {
            w[c] = static_cast<unsigned short>(0x300u + c);
        } else if (c >= 'A' && c <= 'Z') {
            w[c] = static_cast<unsigned short>(0x300u + c + ('a' - 'A'));
        } else {
            w[c] = static_cast<unsigned short>(0x180u + c);  // controls and DEL: after the listed symbols
        }
    }
    for (size_t i = 0; i < kSymbolOrder.size(); ++i) {
        w[static_cast<unsigned char>(kSymbolOrder[i])] = static_cast<unsigned short>(0x100u + i);
    }
    return w;
}

constexpr std::array<unsigned short, 256> kWeights = MakeWeights();

unsigned Weight(char c) {
    return kWeights[static_cast<unsigned char>(c)];
}

int Sign(long v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// Every pass below may start where the two texts first differ: an identical prefix weighs
// the same in each of them.
size_t CommonPrefix(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    size_t i = 0;
    while (i < n && a[i] == b[i]) {
        ++i;
    }
    return i;
}

// First pass: weights with ignorable characters skipped.
int ComparePrimary(std::string_view a, std::string_view b, size_t start) {
    size_t i = start;
    size_t j = start;
    for (;;) {
        while (i < a.size() && IsIgnorable(a[i])) {
            ++i;
        }
        while (j < b.size() && IsIgnorable(b[j])) {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            return Sign(static_cast<long>(i == a.size() ? 0 : 1) - static_cast<long>(j == b.size() ? 0 : 1));
        }
        const unsigned wa = Weight(a[i]);
        const unsigned wb = Weight(b[j]);
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// Second pass: the first letter that differs only in case; lowercase sorts first.
int CompareCase(std::string_view a, std::string_view b, size_t start) {
    size_t i = start;
    size_t j = start;
    for (;;) {
        while (i < a.size() && IsIgnorable(a[i])) {
            ++i;
        }
        while (j < b.size() && IsIgnorable(b[j])) {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            return 0;
        }
        if (a[i] != b[j]) {
            const bool aLower = a[i] >= 'a' && a[i] <= 'z';
            return aLower ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// Third pass: the ignorable characters themselves, then the bytes (case folded when the
// comparison ignores case).
int CompareIgnorables(std::string_view a, std::string_view b, size_t start, bool foldCase) {
    size_t na = 0;
    size_t nb = 0;
    for (size_t i = start; i < a.size(); ++i) {
        na += IsIgnorable(a[i]) ? 1u : 0u;
    }
    for (size_t i = start; i < b.size(); ++i) {
        nb += IsIgnorable(b[i]) ? 1u : 0u;
    }
    if (na != nb) {
        return na < nb ? -1 : 1;
    }
    size_t i = start;
    for (; i < a.size() && i < b.size(); ++i) {
        const auto ca = static_cast<unsigned char>(foldCase ? AsciiLower(a[i]) : a[i]);
        const auto cb = static_cast<unsigned char>(foldCase ? AsciiLower(b[i]) : b[i]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return Sign(static_cast<long>(a.size() - i) - static_cast<long>(b.size() - i));
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    const size_t start = CommonPrefix(a, b);
    if (start == a.size() && start == b.size()) {
        return 0;
    }
    if (int r = ComparePrimary(a, b, start); r != 0) {
        return r;
    }
    if (int r = CompareCase(a, b, start); r != 0) {
        return r;
    }
    return CompareIgnorables(a, b, start, false);
}

int CompareNamesNoCase(std::string_view a, std::string_view b) {
    const size_t start = CommonPrefix(a, b);
    if (start == a.size() && start == b.size()) {
        return 0;
    }
    if (int r = ComparePrimary(a, b, start); r != 0) {
        return r;
    }
    return CompareIgnorables(a, b, start, true);
}

char LowerChar(char c) {
    return AsciiLower(c);
}

char UpperChar(char c) {
    return AsciiUpper(c);
}

}  // namespace pv
