#include "core/purge/preview_report.h"

#include <cstdio>

#include "core/config/utf8.h"

namespace quellix {

namespace {

// The outcome's words: for a person, and for a script.
struct OutcomeWords {
    std::string_view text;
    std::string_view json;
};

OutcomeWords WordsOf(OutcomeKind kind) {
    switch (kind) {
        case OutcomeKind::Deleted:
            return {"delete", "delete"};
        case OutcomeKind::Recycled:
            return {"move to the trash", "trash"};
        case OutcomeKind::Moved:
            return {"move to ", "move"};
        case OutcomeKind::Locked:
            return {"leave, in use", "leave-in-use"};
        case OutcomeKind::ReadOnlyKept:
            return {"leave, read-only", "leave-read-only"};
        case OutcomeKind::NotDeleted:
            return {"leave, cannot go", "leave-refused"};
        case OutcomeKind::NotRecycled:
            return {"leave, the trash refuses it", "leave-trash-refused"};
        case OutcomeKind::InvalidDestination:
            return {"leave all, no destination folder", "leave-no-destination"};
        case OutcomeKind::SubfolderRemoved:
            return {"remove the empty subfolder", "remove-empty-subfolder"};
    }
    return {};
}

// The path an outcome is about: the file, or the folder for the two that are about a folder.
std::string PathOf(const PurgeOutcome& outcome) {
    if (outcome.kind == OutcomeKind::SubfolderRemoved) {
        return outcome.folder;
    }
    if (outcome.kind == OutcomeKind::InvalidDestination) {
        return outcome.destination;
    }
    return outcome.folder + outcome.name;
}

std::string Plural(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string TotalsText(const PurgePreview::Totals& totals) {
    std::string text = Plural(totals.files, "file", "files") + " (" +
                       Plural(totals.bytes, "byte", "bytes") + "), " +
                       Plural(totals.folders, "empty subfolder", "empty subfolders");
    if (totals.locked > 0) {
        text += ", " + Plural(totals.locked, "file", "files") + " left in use";
    }
    if (totals.left > 0) {
        text += ", " + std::to_string(totals.left) + " left otherwise";
    }
    return text;
}

// Escapes for a JSON string; a byte that is not part of UTF-8 becomes \udcXX.
std::string JsonString(std::string_view text) {
    std::string json = "\"";
    char escape[8];
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            std::snprintf(escape, sizeof escape, "\\udc%02x", byte);
            json += escape;
            ++i;
            continue;
        }
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7f) {
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json.append(text.substr(i, length));
        }
        i += length;
    }
    return json + "\"";
}

std::string JsonDate(const platform::CivilTime& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date.year, date.month,
                  date.day, date.hour, date.minute, date.second);
    return JsonString(text);
}

std::string JsonTotals(const PurgePreview::Totals& totals) {
    return "\"files\":" + std::to_string(totals.files) +
           ",\"bytes\":" + std::to_string(totals.bytes) +
           ",\"empty_subfolders\":" + std::to_string(totals.folders) +
           ",\"in_use\":" + std::to_string(totals.locked) +
           ",\"left\":" + std::to_string(totals.left);
}

}  // namespace

std::string ShownPath(std::string_view path) {
    std::string shown;
    char escape[8];
    for (std::size_t i = 0; i < path.size();) {
        const auto byte = static_cast<unsigned char>(path[i]);
        const std::size_t length = Utf8SequenceLength(path, i);
        if (length == 0 || byte < 0x20 || byte == 0x7f) {
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
            ++i;
        } else if (byte == '\\') {
            shown += "\\\\";
            ++i;
        } else {
            shown.append(path.substr(i, length));
            i += length;
        }
    }
    return shown;
}

void WritePreviewText(const PurgePreview& preview, std::ostream& out) {
    for (const PurgePreview::Entry& entry : preview.entries) {
        for (const PurgeOutcome& outcome : entry.outcomes) {
            std::string line(WordsOf(outcome.kind).text);
            if (outcome.kind == OutcomeKind::Moved) {
                line += ShownPath(outcome.destination);
                if (outcome.shortcut) {
                    line += ", leaving a shortcut";
                }
            } else if (outcome.kind == OutcomeKind::NotDeleted ||
                       outcome.kind == OutcomeKind::NotRecycled) {
                line += " (error " + std::to_string(outcome.error) + ")";
            }
            out << line << ": " << ShownPath(PathOf(outcome)) << '\n';
        }
        out << "entry " << entry.index + 1 << ", " << ShownPath(entry.path) << ": "
            << (entry.skipped ? std::string("passed over, its folder or destination is missing")
                              : TotalsText(entry.totals))
            << '\n';
    }
    out << "in all: " << TotalsText(preview.total) << '\n';
}

void WritePreviewJson(const PurgePreview& preview, std::ostream& out) {
    for (const PurgePreview::Entry& entry : preview.entries) {
        const std::string number = std::to_string(entry.index + 1);
        for (const PurgeOutcome& outcome : entry.outcomes) {
            out << "{\"entry\":" << number
                << ",\"outcome\":" << JsonString(WordsOf(outcome.kind).json)
                << ",\"path\":" << JsonString(PathOf(outcome));
            if (outcome.kind != OutcomeKind::SubfolderRemoved &&
                outcome.kind != OutcomeKind::InvalidDestination) {
                out << ",\"bytes\":" << outcome.bytes << ",\"date\":" << JsonDate(outcome.date);
            }
            if (outcome.kind == OutcomeKind::Moved) {
                out << ",\"destination\":" << JsonString(outcome.destination)
                    << ",\"moved_to\":" << JsonString(outcome.movedTo)
                    << ",\"shortcut\":" << (outcome.shortcut ? "true" : "false");
            }
            if (outcome.kind == OutcomeKind::NotDeleted ||
                outcome.kind == OutcomeKind::NotRecycled) {
                out << ",\"error\":" << outcome.error;
            }
            out << "}\n";
        }
        out << "{\"entry\":" << number << ",\"folder\":" << JsonString(entry.path)
            << ",\"passed_over\":" << (entry.skipped ? "true" : "false") << ","
            << JsonTotals(entry.totals) << "}\n";
    }
    out << "{\"total\":true," << JsonTotals(preview.total) << "}\n";
}

}  // namespace quellix
