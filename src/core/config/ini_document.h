#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/common/host_system.h"

namespace quellix {

// An INI text held in memory. Every line that is not touched by a write (comments, blank lines,
// unknown sections and keys, their order and line endings) is kept as it was.
//
// Lines: "[name]" opens a section (spaces around the brackets and the name are ignored);
// "key=value" inside a section is a key (spaces around the key name are ignored, the value is
// everything after the first "=" up to the end of the line); lines starting with ";" or "#" and
// every other line are kept but carry no key. Keys before the first section belong to no section.
// Names match without regard to ASCII case. When a section or key occurs more than once, the first
// occurrence counts for reading and writing. A UTF-8 byte order mark at the start of the text is
// no part of the first line and is written back as it was.
class IniDocument {
  public:
    // Texts of 4 GiB or more are refused (std::length_error); the configuration file itself is
    // read only up to 16 MiB.
    IniDocument() = default;
    explicit IniDocument(std::string_view text);
    explicit IniDocument(std::string&& text);
    explicit IniDocument(const char* text) : IniDocument(std::string_view(text)) {}

    // Raw value (not cut, not trimmed); nullopt when the key is missing. An empty value is
    // returned as an empty string here; the store applies the empty-equals-absent rule.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the value of the key, or adds the key after the last key of its section, or adds
    // the section at the end of the text. New lines use the document's line ending. The value
    // stops at its first line break. Names that could not be read back (a key that is empty,
    // holds "=" or starts with "[", ";" or "#"; a section holding "]"; line breaks in either) are
    // refused. Returns true when the text changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // Removes every line of the key in its section. Returns true when something was removed.
    bool Remove(std::string_view section, std::string_view key);

    std::string ToText() const;

  private:
    enum class Ending : unsigned char { None, Lf, CrLf, Cr };
    // A line's text lies in text_ as read, or in edited_ once written. Twelve bytes: a long
    // folder list holds some hundred thousand of them.
    struct Line {
        std::uint32_t start = 0;  // offset in text_, or index in edited_
        std::uint32_t size = 0;   // in text_ only
        Ending ending = Ending::None;
        bool edited = false;
    };
    // A slot of the key table: line + 1 (0: free) and the header line of its section.
    struct KeySlot {
        std::uint32_t line = 0;
        std::uint32_t header = 0;
    };

    void Parse(std::string_view text);
    std::string_view TextOf(const Line& line) const;
    void SetText(Line& line, std::string text);
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index of the line after the section's last line.
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const;
    void InsertLine(std::size_t position, std::string text);
    // Builds the look-up tables when the lines changed since they were last built.
    void BuildIndex() const;

    // Held once, the lines pointing into it: a long folder list costs little more than its text.
    std::string text_;
    std::vector<std::string> edited_;
    std::vector<Line> lines_;
    // A file without a line end yet gets the system's own.
    Ending newline_ = kHostSystem == HostSystem::Windows ? Ending::CrLf : Ending::Lf;
    bool byteOrderMark_ = false;

    // Lower-case section name -> its first header line, and an open-addressing table of the keys
    // of first occurrences (first line of each), by section and lower-case name: loading a long
    // folder list stays linear.
    mutable std::unordered_map<std::string, std::size_t> sectionIndex_;
    mutable std::vector<KeySlot> keySlots_;
    mutable bool indexValid_ = false;
};

// Cuts value to at most maxBytes bytes, backing off to the start of a UTF-8 sequence that would be
// split. Bytes that are not valid UTF-8 count as one character each.
std::string CutValue(std::string_view value, std::size_t maxBytes);

// A raw value as Windows' profile functions, which define the format, give it: without the
// blanks around it and without one pair of quotes (double or single) around the whole of it.
std::string_view ProfileValue(std::string_view value);

}  // namespace quellix
