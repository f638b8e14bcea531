#include "core/purge/preview_report.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quellix {
namespace {

// Names are any bytes but "/" and NUL: none may break a line of the text or of the JSON.
TEST(PreviewReport, AnyNameStaysOnItsLine) {
    struct Case {
        std::string name;
        std::string shown;
        std::string json;
    };
    const Case cases[] = {
        {"plain.txt", "plain.txt", "plain.txt"},
        {"two\nlines", "two\\x0alines", "two\\u000alines"},
        {"tab\tand\x7f", "tab\\x09and\\x7f", "tab\\u0009and\\u007f"},
        {"quote\"back\\slash", "quote\"back\\\\slash", "quote\\\"back\\\\slash"},
        {"caf\xc3\xa9 \xe2\x80\xae", "caf\xc3\xa9 \xe2\x80\xae", "caf\xc3\xa9 \xe2\x80\xae"},
        {"latin1 \xe9t\xe9", "latin1 \\xe9t\\xe9", "latin1 \\udce9t\\udce9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShownPath(c.name), c.shown);
        PurgePreview preview;
        PurgePreview::Entry& entry = preview.entries.emplace_back();
        entry.path = "/d/";
        PurgeOutcome outcome;
        outcome.kind = OutcomeKind::Moved;
        outcome.folder = "/d/";
        outcome.name = c.name;
        outcome.destination = "/a/";
        outcome.movedTo = "/a/" + c.name;
        outcome.bytes = 7;
        outcome.date = {2026, 12, 1, 8, 5, 9};
        entry.outcomes.push_back(outcome);
        entry.totals.Add(outcome);
        preview.total.Add(entry.totals);

        std::ostringstream text;
        WritePreviewText(preview, text);
        EXPECT_EQ(text.str(), "move to /a/: /d/" + c.shown +
                                  "\nentry 1, /d/: 1 file (7 bytes), 0 empty subfolders\n"
                                  "in all: 1 file (7 bytes), 0 empty subfolders\n");
        std::ostringstream json;
        WritePreviewJson(preview, json);
        EXPECT_EQ(json.str().substr(0, json.str().find('\n')),
                  "{\"entry\":1,\"outcome\":\"move\",\"path\":\"/d/" + c.json +
                      "\",\"bytes\":7,\"date\":\"2026-12-01T08:05:09\",\"destination\":\"/a/\","
                      "\"moved_to\":\"/a/" +
                      c.json + "\",\"shortcut\":false}");
    }
}

}  // namespace
}  // namespace quellix
