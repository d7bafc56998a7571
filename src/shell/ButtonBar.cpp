#include "shell/ButtonBar.h"

#include <vector>

#include "base/Text.h"
#include "platform/FileSystem.h"
#include "platform/Settings.h"

namespace pv {

namespace {

// A bar is a few kilobytes; anything far larger is not one to rewrite.
constexpr size_t kMaxBarBytes = 1 << 20;
// Enough digits for any real bar, few enough that the count cannot overflow.
constexpr size_t kMaxCountDigits = 4;

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// The start of the line "button<n>=...", or npos.
size_t FindButtonLine(std::string_view bar, int n) {
    const std::string key = "button" + std::to_string(n) + "=";
    for (size_t p = bar.find(key); p != std::string_view::npos; p = bar.find(key, p + 1)) {
        if (p == 0 || bar[p - 1] == '\n') {
            return p;
        }
    }
    return std::string_view::npos;
}

std::string ButtonKeys(int n, std::string_view programPath, std::string_view folder, std::string_view eol) {
    const std::string k = std::to_string(n);
    std::string s;
    s += "button" + k + "=" + std::string(programPath) + std::string(eol);
    s += "cmd" + k + "=" + std::string(programPath) + std::string(eol);
    s += "param" + k + "=%P%N" + std::string(eol);
    s += "path" + k + "=" + std::string(folder) + std::string(eol);
    return s;
}

}  // namespace

BarRewrite AddPictavoButton(std::string_view bar, std::string_view programPath, std::string_view folder) {
    if (bar.find("Pictavo") != std::string_view::npos) {
        return {BarOutcome::AlreadyPresent, {}};
    }
    // The first "=" must be Buttoncount's, followed by its number.
    const size_t eq = bar.find('=');
    if (eq == std::string_view::npos) {
        return {};
    }
    const size_t lineStart = bar.rfind('\n', eq) == std::string_view::npos ? 0 : bar.rfind('\n', eq) + 1;
    if (!EqualsNoCase(Trimmed(bar.substr(lineStart, eq - lineStart)), "Buttoncount")) {
        return {};
    }
    size_t digitsEnd = eq + 1;
    while (digitsEnd < bar.size() && bar[digitsEnd] >= '0' && bar[digitsEnd] <= '9') {
        ++digitsEnd;
    }
    const size_t digits = digitsEnd - (eq + 1);
    if (digits == 0 || digits > kMaxCountDigits) {
        return {};
    }
    const int count = std::stoi(std::string(bar.substr(eq + 1, digits)));
    const size_t last = FindButtonLine(bar, count);
    if (last == std::string_view::npos) {
        return {};
    }
    const std::string_view eol = bar.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    const size_t lastEnd = bar.find('\n', last);
    const size_t valueStart = last + bar.substr(last).find('=') + 1;
    const bool lastIsGap =
            Trimmed(bar.substr(valueStart, (lastEnd == std::string_view::npos ? bar.size() : lastEnd) - valueStart))
                    .empty();

    // A gap at the end is where Pictavo goes; a real last button stays and Pictavo follows.
    const int pictavo = lastIsGap ? count : count + 1;
    const size_t keep = lastIsGap ? last : bar.size();
    std::string out(bar.substr(0, eq + 1));
    out += std::to_string(pictavo + 1);
    out += bar.substr(digitsEnd, keep - digitsEnd);
    if (!out.empty() && out.back() != '\n') {
        out += eol;
    }
    out += ButtonKeys(pictavo, programPath, folder, eol);
    out += "button" + std::to_string(pictavo + 1) + "=";
    return {BarOutcome::Rewritten, std::move(out)};
}

BarOutcome InstallTotalCommanderButton(const std::string& barPath,
                                       std::string_view programPath,
                                       std::string_view folder) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(barPath, bytes) != Status::Ok || bytes.size() > kMaxBarBytes) {
        return BarOutcome::NotUnderstood;
    }
    const std::string bar(bytes.begin(), bytes.end());
    BarRewrite r = AddPictavoButton(bar, programPath, folder);
    if (r.outcome != BarOutcome::Rewritten) {
        return r.outcome;
    }
    if (WriteWholeFile(barPath, std::vector<uint8_t>(r.text.begin(), r.text.end())) != Status::Ok) {
        return BarOutcome::NotUnderstood;
    }
    if (std::unique_ptr<SettingsKey> key = CreateSettingsKey(kProgramKey)) {
        key->WriteDword("TotalComm", 1);
    }
    return BarOutcome::Rewritten;
}

}  // namespace pv
