#include "core/config/ini_document.h"

#include <algorithm>

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

// Index key of a section's key; a section name never holds "]", so the pair is unambiguous.
std::string KeyId(std::string_view section, std::string_view key) {
    return LowerName(section) + ']' + LowerName(key);
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

IniDocument::IniDocument(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    // A lone "\r" ends a line too, as the writer treats it: a value can never hold one.
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        Line line;
        if (end == text.npos) {
            line.text = text;
            text = {};
        } else {
            line.text = text.substr(0, end);
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            line.ending = crlf ? "\r\n" : std::string(1, text[end]);
            text.remove_prefix(end + line.ending.size());
        }
        lines_.push_back(std::move(line));
    }
    const auto first = std::find_if(lines_.begin(), lines_.end(),
                                    [](const Line& line) { return !line.ending.empty(); });
    if (first != lines_.end()) {
        newline_ = first->ending == "\r\n" ? "\r\n" : "\n";
    }
}

void IniDocument::BuildIndex() const {
    if (indexValid_) {
        return;
    }
    sectionIndex_.clear();
    keyIndex_.clear();
    std::string section;
    bool firstOccurrence = false;  // keys of a repeated section are never looked up
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = SectionName(lines_[i].text)) {
            section = LowerName(*name);
            firstOccurrence = sectionIndex_.emplace(section, i).second;
        } else if (firstOccurrence) {
            if (const auto key = KeyName(lines_[i].text)) {
                keyIndex_.emplace(section + ']' + LowerName(*key), i);
            }
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
    while (end < lines_.size() && !SectionName(lines_[end].text)) {
        ++end;
    }
    return end;
}

std::optional<std::size_t> IniDocument::FindKey(std::string_view section,
                                                std::string_view key) const {
    BuildIndex();
    const auto found = keyIndex_.find(KeyId(Trim(section), Trim(key)));
    if (found == keyIndex_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const auto index = FindKey(section, key);
    if (!index) {
        return std::nullopt;
    }
    const std::string& text = lines_[*index].text;
    const std::size_t equals = text.find('=');
    return equals == text.npos ? std::string() : text.substr(equals + 1);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsWritableSection(section) || !IsWritableKey(key)) {
        return false;
    }
    value = SingleLine(value);

    if (const auto index = FindKey(section, key)) {
        std::string& text = lines_[*index].text;
        const std::size_t equals = text.find('=');
        if (equals != text.npos && std::string_view(text).substr(equals + 1) == value) {
            return false;
        }
        std::string name(Trim(std::string_view(text).substr(0, equals)));
        text = name + "=" + std::string(value);
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
            if (KeyName(lines_[i].text)) {
                after = i;
                sawKey = true;
            } else if (!sawKey && !IsBlankLine(lines_[i].text)) {
                after = i;
            }
        }
        InsertLine(after + 1, std::move(keyLine));
        return true;
    }

    if (!lines_.empty() && !IsBlankLine(lines_.back().text)) {
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
        std::string& before = lines_[position - 1].ending;
        // A text cut short after "\r" of a CRLF file gets its "\n" back.
        if (before.empty() || (before == "\r" && newline_ == "\r\n")) {
            before = newline_;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position),
                  Line{std::move(text), newline_});
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
        const auto name = KeyName(line.text);
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
    for (const Line& line : lines_) {
        text += line.text;
        text += line.ending;
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
