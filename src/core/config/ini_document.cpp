#include "core/config/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "core/config/utf8.h"

namespace quellix {

namespace {

// Editors such as Notepad begin a UTF-8 file with it; it is no part of the first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlankChar(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankChar(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankChar(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

// FNV-1a over the lower-case name, seeded with the section's header line.
std::uint64_t KeyHash(std::size_t header, std::string_view key) {
    std::uint64_t hash = 0xcbf29ce484222325ULL ^ header;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 0x100000001b3ULL;
    }
    return hash ^ (hash >> 29);
}

std::string_view EndingText(int ending) {
    constexpr std::string_view kTexts[] = {"", "\n", "\r\n", "\r"};
    return kTexts[ending];
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

// A name that would not read back as itself once written is refused rather than written.
bool IsWritableSection(std::string_view name) {
    return !HasLineBreak(name) && name.find(']') == name.npos;
}

bool IsWritableKey(std::string_view name) {
    return !name.empty() && !HasLineBreak(name) && name.find('=') == name.npos &&
           name.front() != '[' && name.front() != ';' && name.front() != '#';
}

// Nothing may follow a line break in a value: it would become a line of its own.
std::string_view SingleLine(std::string_view value) {
    return value.substr(0, std::min(value.find_first_of("\r\n"), value.size()));
}

std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = text.find(']');
    if (close == text.npos) {
        return std::nullopt;
    }
    return Trim(text.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    const std::string_view text = Trim(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

std::optional<std::string_view> KeyName(std::string_view line) {
    if (IsComment(line) || SectionName(line)) {
        return std::nullopt;
    }
    // A line of a word alone is that key with no value, as Windows' profile functions read it:
    // a write then gives it its value instead of adding a second line of the key.
    const std::string_view name = Trim(line.substr(0, line.find('=')));
    if (name.empty()) {
        return std::nullopt;
    }
    return name;
}

bool IsBlankLine(std::string_view line) {
    return Trim(line).empty();
}

}  // namespace

IniDocument::IniDocument(std::string_view text) : text_(text) {
    Parse(text_);
}

IniDocument::IniDocument(std::string&& text) : text_(std::move(text)) {
    Parse(text_);
}

void IniDocument::Parse(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("INI text of 4 GiB or more");
    }
    std::size_t at = 0;
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        at = kByteOrderMark.size();
    }
    lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    // A lone "\r" ends a line too, as the writer treats it: a value can never hold one.
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        Line line;
        line.start = static_cast<std::uint32_t>(at);
        line.size = static_cast<std::uint32_t>(end - at);
        at = end;
        if (end < text.size()) {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.ending = crlf ? Ending::CrLf : text[end] == '\r' ? Ending::Cr : Ending::Lf;
            at += crlf ? 2 : 1;
        }
        lines_.push_back(line);
    }
    const auto first = std::find_if(lines_.begin(), lines_.end(),
                                    [](const Line& line) { return line.ending != Ending::None; });
    if (first != lines_.end()) {
        newline_ = first->ending == Ending::CrLf ? Ending::CrLf : Ending::Lf;
    }
}

std::string_view IniDocument::TextOf(const Line& line) const {
    if (line.edited) {
        return edited_[line.start];
    }
    return std::string_view(text_).substr(line.start, line.size);
}

void IniDocument::SetText(Line& line, std::string text) {
    if (line.edited) {
        edited_[line.start] = std::move(text);
        return;
    }
    line.edited = true;
    line.size = 0;
    line.start = static_cast<std::uint32_t>(edited_.size());
    edited_.push_back(std::move(text));
}

void IniDocument::BuildIndex() const {
    if (indexValid_) {
        return;
    }
    sectionIndex_.clear();
    std::size_t keys = 0;
    for (const Line& line : lines_) {
        keys += KeyName(TextOf(line)) ? 1 : 0;
    }
    // At most two thirds full: probes stay short and a slot costs eight bytes.
    std::size_t capacity = 16;
    while (capacity * 2 < keys * 3) {
        capacity *= 2;
    }
    keySlots_.assign(capacity, KeySlot{});
    const std::size_t mask = capacity - 1;
    std::size_t header = 0;
    bool firstOccurrence = false;  // keys of a repeated section are never looked up
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view text = TextOf(lines_[i]);
        if (const auto name = SectionName(text)) {
            header = i;
            firstOccurrence = sectionIndex_.emplace(LowerName(*name), i).second;
            continue;
        }
        const auto key = firstOccurrence ? KeyName(text) : std::nullopt;
        if (!key) {
            continue;
        }
        std::size_t slot = KeyHash(header, *key) & mask;
        // The first line of a key is the one read and written.
        while (keySlots_[slot].line != 0 &&
               !(keySlots_[slot].header == header &&
                 SameName(*KeyName(TextOf(lines_[keySlots_[slot].line - 1])), *key))) {
            slot = (slot + 1) & mask;
        }
        if (keySlots_[slot].line == 0) {
            keySlots_[slot] = {static_cast<std::uint32_t>(i + 1),
                               static_cast<std::uint32_t>(header)};
        }
    }
    indexValid_ = true;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
    BuildIndex();
    const auto found = sectionIndex_.find(LowerName(Trim(section)));
    if (found == sectionIndex_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
    std::size_t end = header + 1;
    while (end < lines_.size() && !SectionName(TextOf(lines_[end]))) {
        ++end;
    }
    return end;
}

std::optional<std::size_t> IniDocument::FindKey(std::string_view section,
                                                std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    const std::string_view wanted = Trim(key);
    const std::size_t mask = keySlots_.size() - 1;
    for (std::size_t slot = KeyHash(*header, wanted) & mask; keySlots_[slot].line != 0;
         slot = (slot + 1) & mask) {
        const std::size_t line = keySlots_[slot].line - 1;
        if (keySlots_[slot].header == *header && SameName(*KeyName(TextOf(lines_[line])), wanted)) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const auto index = FindKey(section, key);
    if (!index) {
        return std::nullopt;
    }
    const std::string_view text = TextOf(lines_[*index]);
    const std::size_t equals = text.find('=');
    return equals == text.npos ? std::string() : std::string(text.substr(equals + 1));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsWritableSection(section) || !IsWritableKey(key)) {
        return false;
    }
    value = SingleLine(value);

    if (const auto index = FindKey(section, key)) {
        const std::string_view text = TextOf(lines_[*index]);
        const std::size_t equals = text.find('=');
        if (equals != text.npos && text.substr(equals + 1) == value) {
            return false;
        }
        std::string line(Trim(text.substr(0, equals)));
        line += '=';
        line += value;
        SetText(lines_[*index], std::move(line));
        return true;
    }

    std::string keyLine = std::string(key) + "=" + std::string(value);
    if (const auto header = FindSection(section)) {
        // After the section's last key (or, without keys, its last comment), so that its
        // trailing blank lines and the comments that introduce the next section stay in place.
        std::size_t after = *header;
        bool sawKey = false;
        const std::size_t end = SectionEnd(*header);
        for (std::size_t i = *header + 1; i < end; ++i) {
            if (KeyName(TextOf(lines_[i]))) {
                after = i;
                sawKey = true;
            } else if (!sawKey && !IsBlankLine(TextOf(lines_[i]))) {
                after = i;
            }
        }
        InsertLine(after + 1, std::move(keyLine));
        return true;
    }

    if (!lines_.empty() && !IsBlankLine(TextOf(lines_.back()))) {
        InsertLine(lines_.size(), "");
    }
    // Appended rather than "[" + name: GCC 12 warns falsely about the latter at -O3.
    std::string header(1, '[');
    header += section;
    header += ']';
    InsertLine(lines_.size(), std::move(header));
    InsertLine(lines_.size(), std::move(keyLine));
    return true;
}

void IniDocument::InsertLine(std::size_t position, std::string text) {
    if (position > 0) {
        Ending& before = lines_[position - 1].ending;
        // A text cut short after "\r" of a CRLF file gets its "\n" back.
        if (before == Ending::None || (before == Ending::Cr && newline_ == Ending::CrLf)) {
            before = newline_;
        }
    }
    Line line;
    line.ending = newline_;
    SetText(line, std::move(text));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position), line);
    indexValid_ = false;
}

bool IniDocument::Remove(std::string_view section, std::string_view key) {
    const auto header = FindSection(section);
    if (!header) {
        return false;
    }
    const std::string_view wanted = Trim(key);
    const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(*header + 1);
    const auto last = lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header));
    const auto kept = std::remove_if(first, last, [&](const Line& line) {
        const auto name = KeyName(TextOf(line));
        return name && SameName(*name, wanted);
    });
    if (kept == last) {
        return false;
    }
    lines_.erase(kept, last);
    indexValid_ = false;
    return true;
}

std::string IniDocument::ToText() const {
    std::string text(byteOrderMark_ ? kByteOrderMark : std::string_view());
    text.reserve(text_.size() + 64);
    for (const Line& line : lines_) {
        text += TextOf(line);
        text += EndingText(static_cast<int>(line.ending));
    }
    return text;
}

// Windows' profile functions, which define the format, give a value without the blanks around
// it and without one pair of quotes (double or single) around the whole of it.
std::string_view ProfileValue(std::string_view value) {
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string CutValue(std::string_view value, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < value.size()) {
        const std::size_t length = std::max<std::size_t>(Utf8SequenceLength(value, end), 1);
        if (end + length > maxBytes) {
            break;
        }
        end += length;
    }
    return std::string(value.substr(0, end));
}

}  // namespace quellix
