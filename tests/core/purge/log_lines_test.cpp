#include "core/purge/log_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace quellix {
namespace {

using platform::CivilTime;

const std::string kDate = " [Date M.: 12/07/26 10:00:00]<br>";
const std::string kRed = "<font color=\"#FF0000\">";

struct LineCase {
    const char* what;
    std::function<std::string(const LogLines&)> make;
    std::string english;
    std::string french;
};

TEST(LogLines, EveryOutcomeInBothLanguages) {
    const char* P = "/data/in/";
    const char* W = "report.txt";
    const char* D = "12/07/26 10:00:00";
    const LineCase cases[] = {
        {"locked", [&](const LogLines& l) { return l.Locked(P, W, "M", D); },
         "/data/in/report.txt <i><b>locked</b></i>" + kDate,
         "/data/in/report.txt <i><b>verrouill&eacute;</b></i>" + kDate},
        {"deleted", [&](const LogLines& l) { return l.Deleted(P, W, "M", D); },
         "/data/in/report.txt <i>deleted</i>" + kDate,
         "/data/in/report.txt <i>effac&eacute;</i>" + kDate},
        {"recycled", [&](const LogLines& l) { return l.Recycled(P, W, "M", D); },
         "/data/in/report.txt <i>in Recycle Bin</i>" + kDate,
         "/data/in/report.txt <i>dans la corbeille</i>" + kDate},
        {"read-only kept", [&](const LogLines& l) { return l.ReadOnlyKept(P, W, "M", D); },
         kRed + "/data/in/report.txt <i>is read only and not deleted</i></font>" + kDate,
         kRed + "/data/in/report.txt <i>en lecture seule et non effac&eacute;</i></font>" + kDate},
        {"not deleted", [&](const LogLines& l) { return l.NotDeleted(P, W, 13, "M", D); },
         kRed + "/data/in/report.txt <i>not deleted</i>, error:13</font>" + kDate,
         kRed + "/data/in/report.txt <i>non effac&eacute;</i>, erreur:13</font>" + kDate},
        {"not deleted, negative error",
         [&](const LogLines& l) { return l.NotDeleted(P, W, -2, "M", D); },
         kRed + "/data/in/report.txt <i>not deleted</i>, error:-2</font>" + kDate,
         kRed + "/data/in/report.txt <i>non effac&eacute;</i>, erreur:-2</font>" + kDate},
        {"not recycled", [&](const LogLines& l) { return l.NotRecycled(P, W, 5, 1, "M", D); },
         kRed + "/data/in/report.txt <i>not deleted</i>, error 1:5, error 2:1</font>" + kDate,
         kRed + "/data/in/report.txt <i>non effac&eacute;</i>, erreur 1:5, erreur 2:1</font>" +
             kDate},
        {"not recycled, zero and negative",
         [&](const LogLines& l) { return l.NotRecycled(P, W, 0, -1, "M", D); },
         kRed + "/data/in/report.txt <i>not deleted</i>, error 1:0, error 2:-1</font>" + kDate,
         kRed + "/data/in/report.txt <i>non effac&eacute;</i>, erreur 1:0, erreur 2:-1</font>" +
             kDate},
        {"moved", [&](const LogLines& l) { return l.Moved(P, W, "/archive/2009/May/", "M", D); },
         "/data/in/report.txt <i>moved to</i> /archive/2009/May/" + kDate,
         "/data/in/report.txt <i>d&eacute;plac&eacute; vers</i> /archive/2009/May/" + kDate},
        {"invalid path", [&](const LogLines& l) { return l.InvalidPath("/archive/2009/May/"); },
         kRed + "<b>/archive/2009/May/ <i>invalid path</i></b></font><br>",
         kRed + "<b>/archive/2009/May/ <i>chemin invalide</i></b></font><br>"},
        {"empty subfolder",
         [&](const LogLines& l) { return l.EmptySubfolderRemoved("/data/in/a"); },
         kRed + "<i>Empty subfolder deleted</i>: /data/in/a</font><br>",
         kRed + "<i>Sous-dossier vide effac&eacute;</i>: /data/in/a</font><br>"},
    };
    const LogLines english(Language::English);
    const LogLines french(Language::French);
    for (const LineCase& c : cases) {
        EXPECT_EQ(c.make(english), c.english) << c.what;
        EXPECT_EQ(c.make(french), c.french) << c.what;
    }
}

// A cloud file not opened for the lock test says so on its own line, just before its date; the
// lines of other files are those above, unchanged.
TEST(LogLines, AnOnlineOnlyFileSaysItWasNotOpened) {
    const char* P = "/data/in/";
    const char* W = "report.txt";
    const char* D = "12/07/26 10:00:00";
    const std::string en = " <i>(online only: not opened for the lock test)</i>" + kDate;
    const std::string fr =
        " <i>(en ligne uniquement : non ouvert pour le test de verrouillage)</i>" + kDate;
    constexpr FileNote kNote = FileNote::OnlineOnlyNotOpened;
    const LineCase cases[] = {
        {"deleted", [&](const LogLines& l) { return l.Deleted(P, W, "M", D, kNote); },
         "/data/in/report.txt <i>deleted</i>" + en,
         "/data/in/report.txt <i>effac&eacute;</i>" + fr},
        {"recycled", [&](const LogLines& l) { return l.Recycled(P, W, "M", D, kNote); },
         "/data/in/report.txt <i>in Recycle Bin</i>" + en,
         "/data/in/report.txt <i>dans la corbeille</i>" + fr},
        {"read-only kept", [&](const LogLines& l) { return l.ReadOnlyKept(P, W, "M", D, kNote); },
         kRed + "/data/in/report.txt <i>is read only and not deleted</i></font>" + en,
         kRed + "/data/in/report.txt <i>en lecture seule et non effac&eacute;</i></font>" + fr},
        {"not deleted", [&](const LogLines& l) { return l.NotDeleted(P, W, 13, "M", D, kNote); },
         kRed + "/data/in/report.txt <i>not deleted</i>, error:13</font>" + en,
         kRed + "/data/in/report.txt <i>non effac&eacute;</i>, erreur:13</font>" + fr},
        {"not recycled",
         [&](const LogLines& l) { return l.NotRecycled(P, W, 5, 1, "M", D, kNote); },
         kRed + "/data/in/report.txt <i>not deleted</i>, error 1:5, error 2:1</font>" + en,
         kRed + "/data/in/report.txt <i>non effac&eacute;</i>, erreur 1:5, erreur 2:1</font>" + fr},
        {"moved", [&](const LogLines& l) { return l.Moved(P, W, "/archive/", "M", D, kNote); },
         "/data/in/report.txt <i>moved to</i> /archive/" + en,
         "/data/in/report.txt <i>d&eacute;plac&eacute; vers</i> /archive/" + fr},
        {"no note", [&](const LogLines& l) { return l.Deleted(P, W, "M", D, FileNote::None); },
         "/data/in/report.txt <i>deleted</i>" + kDate,
         "/data/in/report.txt <i>effac&eacute;</i>" + kDate},
    };
    const LogLines english(Language::English);
    const LogLines french(Language::French);
    for (const LineCase& c : cases) {
        EXPECT_EQ(c.make(english), c.english) << c.what;
        EXPECT_EQ(c.make(french), c.french) << c.what;
    }
}

TEST(LogLines, DatePartCarriesTheLetterAndTextAsGiven) {
    const LogLines lines(Language::English);
    EXPECT_EQ(lines.Deleted("/d/", "f", "C", "01/02/03"),
              "/d/f <i>deleted</i> [Date C.: 01/02/03]<br>");
    EXPECT_EQ(lines.Deleted("/d/", "f", "X", "01/02/03 04:05:06"),
              "/d/f <i>deleted</i> [Date X.: 01/02/03 04:05:06]<br>");
}

TEST(LogLines, SummaryLine) {
    EXPECT_EQ(LogLines::Summary("Last purge: x ;Deleted: 1 files, 0 subfolders; Locked:0 "),
              "<b>Last purge: x ;Deleted: 1 files, 0 subfolders; Locked:0 </b><hr>");
}

TEST(PurgeSummary, BothLanguages) {
    const char* start = "07 December 2026 - 10:00:00";
    struct Case {
        std::int32_t files, subfolders, locked;
        std::string english, french;
    };
    const Case cases[] = {
        {5, 0, 2,
         "Last purge: 07 December 2026 - 10:00:00 ;Deleted: 5 files, 0 subfolders; Locked:2 ",
         "Purgé le 07 December 2026 - 10:00:00; Effacés: 5 fichiers, 0 sous-dossiers, "
         "Verrouillés: 2 "},
        {0, 0, 0,
         "Last purge: 07 December 2026 - 10:00:00 ;Deleted: 0 files, 0 subfolders; Locked:0 ",
         "Purgé le 07 December 2026 - 10:00:00; Effacés: 0 fichiers, 0 sous-dossiers, "
         "Verrouillés: 0 "},
        {-3, 12345, -2147483647 - 1,
         "Last purge: 07 December 2026 - 10:00:00 ;Deleted: -3 files, 12345 subfolders; "
         "Locked:-2147483648 ",
         "Purgé le 07 December 2026 - 10:00:00; Effacés: -3 fichiers, 12345 sous-dossiers, "
         "Verrouillés: -2147483648 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PurgeSummary(Language::English, start, c.files, c.subfolders, c.locked),
                  c.english);
        EXPECT_EQ(PurgeSummary(Language::French, start, c.files, c.subfolders, c.locked), c.french);
    }
}

TEST(LogLines, Header) {
    const std::vector<std::string> common = {
        "<html>",  "<head>", "<meta charset=\"utf-8\">", "<title>Logs Quellix</title>",
        "</head>", "<body>"};
    const std::string english = "<b><center><h1>Deleting Logs</h1></center></b>";
    const std::string french =
        "<b><center><h1>Journal des opérations d'effacement</h1></center></b>";
    const std::string date = "<center><h3>Monday 07 December 2026</h3></center>";

    // The heading follows its own switch, whatever the language of the lines.
    for (const Language language : {Language::English, Language::French}) {
        const LogLines lines(language);
        std::vector<std::string> expected = common;
        expected.push_back(english);
        expected.push_back(date);
        EXPECT_EQ(lines.Header("Monday 07 December 2026", false), expected);
        expected[6] = french;
        EXPECT_EQ(lines.Header("Monday 07 December 2026", true), expected);
    }
}

TEST(HtmlName, EscapesMarkupAndShowsBadBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain name.txt", "plain name.txt"},
        {"<script>.txt", "&lt;script&gt;.txt"},
        {"a&b.txt", "a&amp;b.txt"},
        {"&amp;", "&amp;amp;"},
        {"say \"hi\".txt", "say &quot;hi&quot;.txt"},
        {"it's.txt", "it's.txt"},
        {"two\nlines", "two&#10;lines"},
        {"cr\rhere", "cr&#13;here"},
        {"tab\there", "tab&#9;here"},
        // Other controls and the bidirectional formatting characters are shown, never obeyed.
        {std::string("nul\0x", 5), "nul\\u0000x"},
        {"\x01\x08\x0B\x0C\x1B[31m\x1F", "\\u0001\\u0008\\u000B\\u000C\\u001B[31m\\u001F"},
        {"del\x7F", "del\\u007F"},
        {"\xC2\x80\xC2\x85\xC2\x9F", "\\u0080\\u0085\\u009F"},
        {"invoice\xE2\x80\xAE"
         "fdp.exe",
         "invoice\\u202Efdp.exe"},
        {"\xE2\x80\xAA\xE2\x80\xAB\xE2\x80\xAC\xE2\x80\xAD", "\\u202A\\u202B\\u202C\\u202D"},
        {"\xE2\x81\xA6\xE2\x81\xA7\xE2\x81\xA8\xE2\x81\xA9", "\\u2066\\u2067\\u2068\\u2069"},
        {"\xE2\x80\x8E\xE2\x80\x8F\xD8\x9C", "\\u200E\\u200F\\u061C"},
        // Their neighbours are ordinary characters.
        {"\xC2\xA0\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA\xD8\x9B",
         "\xC2\xA0\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA\xD8\x9B"},
        // Valid UTF-8 of every length stays as it is.
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},
        {"\xF0\x9F\x93\x81.txt", "\xF0\x9F\x93\x81.txt"},
        {"\xEF\xBF\xBF", "\xEF\xBF\xBF"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        // Bytes that are not UTF-8: Latin-1, a lone continuation, a cut sequence, overlong
        // forms, surrogates and code points past U+10FFFF.
        {"caf\xE9.txt", "caf\\xE9.txt"},
        {"\x80", "\\x80"},
        {"end\xC3", "end\\xC3"},
        {"\xE2\x82", "\\xE2\\x82"},
        {"\xC3(", "\\xC3("},
        {"\xC0\xAF", "\\xC0\\xAF"},
        {"\xC1\xBF", "\\xC1\\xBF"},
        {"\xE0\x80\xAF", "\\xE0\\x80\\xAF"},
        {"\xF0\x80\x80\xAF", "\\xF0\\x80\\x80\\xAF"},
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"\xF5\x80\x80\x80", "\\xF5\\x80\\x80\\x80"},
        {"\xFF<", "\\xFF&lt;"},
        {"", ""},
    };
    for (const auto& [name, escaped] : cases) {
        EXPECT_EQ(HtmlName(name), escaped) << name;
    }
}

TEST(LogLines, NamesCannotInjectMarkup) {
    const std::string hostile = "<script>alert(\"x\")</script>&<b>";
    const LogLines lines(Language::English);
    const std::vector<std::string> written = {
        lines.Locked(hostile + "/", hostile, "M", "d"),
        lines.Deleted(hostile + "/", hostile, "M", "d"),
        lines.Recycled(hostile + "/", hostile, "M", "d"),
        lines.ReadOnlyKept(hostile + "/", hostile, "M", "d"),
        lines.NotDeleted(hostile + "/", hostile, 1, "M", "d"),
        lines.NotRecycled(hostile + "/", hostile, 1, 2, "M", "d"),
        lines.Moved(hostile + "/", hostile, hostile + "/", "M", "d"),
        lines.InvalidPath(hostile + "/"),
        lines.EmptySubfolderRemoved(hostile),
    };
    const std::string escaped = "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp;&lt;b&gt;";
    for (const std::string& line : written) {
        EXPECT_EQ(line.find("<script"), std::string::npos) << line;
        // The only quotes left are those of the red colour attribute.
        const bool red = line.starts_with(kRed);
        EXPECT_EQ(std::count(line.begin(), line.end(), '"'), red ? 2 : 0) << line;
        EXPECT_NE(line.find(escaped), std::string::npos) << line;
    }
    EXPECT_EQ(lines.Deleted("/in/", "<b>.txt", "M", "d"),
              "/in/&lt;b&gt;.txt <i>deleted</i> [Date M.: d]<br>");
}

TEST(LogDateText, ShortDateAndLongTimeWithoutMidnight) {
    // Tests run in the "C" locale: %x gives mm/dd/yy, %X gives hh:mm:ss.
    const std::pair<CivilTime, std::string> cases[] = {
        {{2026, 12, 7, 10, 0, 0, 1}, "12/07/26 10:00:00"},
        {{2026, 12, 7, 0, 0, 0, 1}, "12/07/26"},
        {{2026, 12, 7, 0, 0, 1, 1}, "12/07/26 00:00:01"},
        {{2026, 12, 7, 0, 1, 0, 1}, "12/07/26 00:01:00"},
        {{2026, 12, 7, 23, 59, 59, 1}, "12/07/26 23:59:59"},
        {{2024, 2, 29, 12, 30, 5, 4}, "02/29/24 12:30:05"},
        {{1999, 1, 1, 0, 0, 0, 5}, "01/01/99"},
    };
    for (const auto& [date, text] : cases) {
        EXPECT_EQ(LogDateText(date), text) << text;
    }
}

}  // namespace
}  // namespace quellix
