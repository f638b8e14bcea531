#include "core/purge/log_lines.h"

#include "core/config/utf8.h"
#include "core/purge/purge_texts.h"

namespace quellix {

namespace {

constexpr const char* kRed = "<font color=\"#FF0000\">";

// Characters that show nothing or reorder what follows them, with which a name could make its
// line read as something else: C0 and C1 controls, DEL, and the bidirectional marks,
// embeddings, overrides and isolates.
bool IsDisguising(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x061C || code == 0x200E ||
           code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

void AppendHex(std::string& text, unsigned value, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        text += kHex[(value >> shift) & 0xF];
    }
}

}  // namespace

std::string HtmlName(std::string_view name) {
    std::string text;
    text.reserve(name.size() + 8);
    for (std::size_t pos = 0; pos < name.size();) {
        const char c = name[pos];
        const std::size_t length = Utf8SequenceLength(name, pos);
        if (length == 0) {
            text += "\\x";
            AppendHex(text, static_cast<unsigned char>(c), 2);
            ++pos;
            continue;
        }
        switch (c) {
            case '&':
                text += "&amp;";
                break;
            case '<':
                text += "&lt;";
                break;
            case '>':
                text += "&gt;";
                break;
            case '"':
                text += "&quot;";
                break;
            case '\t':
                text += "&#9;";
                break;
            case '\n':
                text += "&#10;";
                break;
            case '\r':
                text += "&#13;";
                break;
            default:
                if (const char32_t code = Utf8CodePoint(name, pos, length); IsDisguising(code)) {
                    // Shown rather than referenced: a browser would turn a reference back into
                    // the character itself.
                    text += "\\u";
                    AppendHex(text, static_cast<unsigned>(code), 4);
                } else {
                    text.append(name.substr(pos, length));
                }
        }
        pos += length;
    }
    return text;
}

std::string LogDateText(const platform::CivilTime& date) {
    std::string text = platform::FormatCivilTime(date, "%x");
    if (date.hour != 0 || date.minute != 0 || date.second != 0) {
        text += ' ';
        text += platform::FormatCivilTime(date, "%X");
    }
    return text;
}

std::string LogLines::DatePart(std::string_view kind, std::string_view date, FileNote note) const {
    const std::string_view noted =
        note == FileNote::OnlineOnlyNotOpened ? texts::kNotOpenedOnlineOnly.In(language_) : "";
    return std::string(noted) + " [Date " + std::string(kind) + ".: " + std::string(date) + "]<br>";
}

std::string LogLines::Locked(std::string_view folder, std::string_view name, std::string_view kind,
                             std::string_view date) const {
    return HtmlName(folder) + HtmlName(name) + std::string(texts::kLocked.In(language_)) +
           DatePart(kind, date);
}

std::string LogLines::Deleted(std::string_view folder, std::string_view name, std::string_view kind,
                              std::string_view date, FileNote note) const {
    return HtmlName(folder) + HtmlName(name) + std::string(texts::kDeleted.In(language_)) +
           DatePart(kind, date, note);
}

std::string LogLines::Recycled(std::string_view folder, std::string_view name,
                               std::string_view kind, std::string_view date, FileNote note) const {
    return HtmlName(folder) + HtmlName(name) + std::string(texts::kRecycled.In(language_)) +
           DatePart(kind, date, note);
}

std::string LogLines::ReadOnlyKept(std::string_view folder, std::string_view name,
                                   std::string_view kind, std::string_view date,
                                   FileNote note) const {
    return kRed + HtmlName(folder) + HtmlName(name) +
           std::string(texts::kReadOnlyKept.In(language_)) + DatePart(kind, date, note);
}

std::string LogLines::NotDeleted(std::string_view folder, std::string_view name, int error,
                                 std::string_view kind, std::string_view date,
                                 FileNote note) const {
    return kRed + HtmlName(folder) + HtmlName(name) +
           std::string(texts::kNotDeleted.In(language_)) + std::to_string(error) + "</font>" +
           DatePart(kind, date, note);
}

std::string LogLines::NotRecycled(std::string_view folder, std::string_view name, int error1,
                                  int error2, std::string_view kind, std::string_view date,
                                  FileNote note) const {
    return kRed + HtmlName(folder) + HtmlName(name) +
           std::string(texts::kNotRecycled.In(language_)) + std::to_string(error1) +
           std::string(texts::kSecondError.In(language_)) + std::to_string(error2) + "</font>" +
           DatePart(kind, date, note);
}

std::string LogLines::Moved(std::string_view folder, std::string_view name,
                            std::string_view destination, std::string_view kind,
                            std::string_view date, FileNote note) const {
    return HtmlName(folder) + HtmlName(name) + std::string(texts::kMovedTo.In(language_)) +
           HtmlName(destination) + DatePart(kind, date, note);
}

std::string LogLines::InvalidPath(std::string_view destination) const {
    return std::string(kRed) + "<b>" + HtmlName(destination) +
           std::string(texts::kInvalidPath.In(language_));
}

std::string LogLines::EmptySubfolderRemoved(std::string_view folder) const {
    return std::string(texts::kEmptySubfolder.In(language_)) + HtmlName(folder) + "</font><br>";
}

std::string LogLines::Summary(std::string_view summary) {
    return "<b>" + std::string(summary) + "</b><hr>";
}

std::vector<std::string> LogLines::Header(std::string_view longDate, bool frenchHeading) const {
    return {"<html>",
            "<head>",
            "<meta charset=\"utf-8\">",
            "<title>Logs Quellix</title>",
            "</head>",
            "<body>",
            std::string(frenchHeading ? texts::kLogHeading.french : texts::kLogHeading.english),
            "<center><h3>" + std::string(longDate) + "</h3></center>"};
}

std::string PurgeSummary(Language language, std::string_view startText, std::int32_t files,
                         std::int32_t subfolders, std::int32_t locked) {
    return std::string(texts::kSummaryStart.In(language)) + std::string(startText) +
           std::string(texts::kSummaryDeleted.In(language)) + std::to_string(files) +
           std::string(texts::kSummaryFiles.In(language)) + std::to_string(subfolders) +
           std::string(texts::kSummarySubfolders.In(language)) + std::to_string(locked) + " ";
}

}  // namespace quellix
