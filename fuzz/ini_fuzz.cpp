// Feeds arbitrary text to the INI reader, then writes or deletes one key and checks that the
// change is exactly the one asked for and survives a write-out and read-back.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/ini_document.h"
#include "core/config/ini_file.h"
#include "core/config/number_scan.h"

namespace {

using quellix::ConfigStore;
using quellix::CutValue;
using quellix::IniDocument;
using quellix::MemoryConfigStore;
using quellix::ProfileValue;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::string Normalized(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) {
        name.remove_prefix(1);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
        name.remove_suffix(1);
    }
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

bool WritableSection(std::string_view section) {
    return !HasLineBreak(section) && section.find(']') == section.npos;
}

bool WritableKey(std::string_view key) {
    const std::string name = Normalized(key);
    return !name.empty() && !HasLineBreak(name) && name.find('=') == name.npos &&
           name.front() != '[' && name.front() != ';' && name.front() != '#';
}

using Name = std::pair<std::string, std::string>;

// Section and key names to look at: a few fixed ones plus a rough guess at those in the text.
std::vector<Name> Probes(std::string_view text, const Name& written) {
    std::vector<Name> probes = {{"Purge", "Heure"}, {"purge", "JOURS"}, {"", "k"}, written};
    std::string section;
    std::size_t start = 0;
    while (start < text.size() && probes.size() < 40) {
        std::size_t end = text.find('\n', start);
        if (end == text.npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        const std::size_t open = line.find('[');
        const std::size_t close = line.find(']');
        if (open != line.npos && close != line.npos && open < close) {
            section = std::string(line.substr(open + 1, close - open - 1));
        } else if (const std::size_t equals = line.find('='); equals != line.npos) {
            probes.emplace_back(section, std::string(line.substr(0, equals)));
        }
        start = end + 1;
    }
    return probes;
}

bool SameName(const Name& a, const Name& b) {
    return Normalized(a.first) == Normalized(b.first) &&
           Normalized(a.second) == Normalized(b.second);
}

void CheckReadRules(ConfigStore& store, const Name& name) {
    const auto value = store.Read(name.first, name.second);
    if (value) {
        Check(!value->empty() && value->size() <= ConfigStore::kMaxValueBytes);
        Check(value->find('\n') == value->npos);
        // Numbers read from values must write back to the same number.
        const double number = quellix::ScanLeadingNumber(*value);
        if (std::isfinite(number)) {
            Check(quellix::ScanLeadingNumber(quellix::ShortestDecimalText(number)) == number);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static const std::array<Name, 4> kKnown = {
        {{"Purge", "Heure"}, {"Dossiers", "1"}, {" purge ", "heure "}, {"", "k"}}};
    Name written;
    if (input.ConsumeBool()) {
        written = kKnown[input.ConsumeIntegralInRange<std::size_t>(0, kKnown.size() - 1)];
    } else {
        written.first = input.ConsumeRandomLengthString(12);
        written.second = input.ConsumeRandomLengthString(12);
    }
    const int operation = input.ConsumeIntegralInRange(0, 2);
    const std::string value = input.ConsumeRandomLengthString(300);
    const std::string text = input.ConsumeRemainingBytesAsString();

    Check(IniDocument(text).ToText() == text);

    MemoryConfigStore store(text);
    const std::vector<Name> probes = Probes(text, written);
    std::vector<std::optional<std::string>> before;
    for (const Name& probe : probes) {
        CheckReadRules(store, probe);
        before.push_back(store.Read(probe.first, probe.second));
    }

    const std::string singleLine = value.substr(0, value.find_first_of("\r\n"));
    std::optional<std::string> expected;
    if (operation == 0) {
        store.Write(written.first, written.second, value);
        const std::string read = CutValue(ProfileValue(singleLine), ConfigStore::kMaxValueBytes);
        if (!read.empty()) {
            expected = read;
        }
    } else if (operation == 1) {
        store.Delete(written.first, written.second);
    } else {
        store.Write(written.first, written.second, "");
    }
    const std::string after = store.Text();

    if (!WritableSection(written.first) || !WritableKey(written.second)) {
        if (operation == 0) {
            Check(after == text);
        }
    } else {
        Check(store.Read(written.first, written.second) == expected);
    }
    if (operation != 0) {
        Check(!store.Read(written.first, written.second));
    }

    // The store's view and a fresh parse of its text agree, and nothing else moved.
    MemoryConfigStore reparsed(after);
    Check(reparsed.Text() == after);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto now = store.Read(probes[i].first, probes[i].second);
        Check(reparsed.Read(probes[i].first, probes[i].second) == now);
        if (!SameName(probes[i], written)) {
            Check(now == before[i]);
        }
    }

    // Doing it again changes nothing.
    if (operation == 0) {
        store.Write(written.first, written.second, value);
    } else {
        store.Delete(written.first, written.second);
    }
    Check(store.Text() == after);
    return 0;
}
