// Portable word sort, close enough to Windows' CompareString for file names to sort the
// same way: punctuation before digits before letters, letters without case first, the
// hyphen and apostrophe almost ignored ("ab" before "a-b"), and on a tie lowercase before
// uppercase ("b.jpg" before "B.jpg"). Windows builds use the system's functions instead.
#include "platform/Collation.h"

#include "base/Text.h"

namespace pv {

namespace {

bool IsIgnorable(char c) {
    return c == '-' || c == '\'';
}

unsigned Weight(char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80) {
        return 0x400u + c;
    }
    if (c >= '0' && c <= '9') {
        return 0x200u + c;
    }
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        return 0x300u + static_cast<unsigned char>(AsciiLower(static_cast<char>(c)));
    }
    return 0x100u + c;
}

int Sign(long v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// First pass: weights with ignorable characters skipped.
int ComparePrimary(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
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
        unsigned wa = Weight(a[i]);
        unsigned wb = Weight(b[j]);
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// Second pass: the first letter that differs only in case; lowercase sorts first.
int CompareCase(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
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
            bool aLower = a[i] >= 'a' && a[i] <= 'z';
            return aLower ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// Third pass: the ignorable characters themselves, then the bytes.
int CompareIgnorables(std::string_view a, std::string_view b) {
    size_t na = 0;
    size_t nb = 0;
    for (char c : a) {
        na += IsIgnorable(c) ? 1u : 0u;
    }
    for (char c : b) {
        nb += IsIgnorable(c) ? 1u : 0u;
    }
    if (na != nb) {
        return na < nb ? -1 : 1;
    }
    int r = a.compare(b);
    return Sign(r);
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    if (int r = ComparePrimary(a, b); r != 0) {
        return r;
    }
    if (int r = CompareCase(a, b); r != 0) {
        return r;
    }
    return CompareIgnorables(a, b);
}

int CompareNamesNoCase(std::string_view a, std::string_view b) {
    if (int r = ComparePrimary(a, b); r != 0) {
        return r;
    }
    std::string la(a);
    std::string lb(b);
    for (char& c : la) {
        c = AsciiLower(c);
    }
    for (char& c : lb) {
        c = AsciiLower(c);
    }
    return CompareIgnorables(la, lb);
}

char LowerChar(char c) {
    return AsciiLower(c);
}

char UpperChar(char c) {
    return AsciiUpper(c);
}

}  // namespace pv
