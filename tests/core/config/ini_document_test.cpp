#include "core/config/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quellix {
namespace {

TEST(IniDocumentTest, GetFindsKeysByTheReadingRules) {
    struct Case {
        std::string name;
        std::string text;
        std::string section;
        std::string key;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"exact names", "[Purge]\nHeure=12:00\n", "Purge", "Heure", "12:00"},
        {"section case", "[PURGE]\nHeure=1\n", "purge", "Heure", "1"},
        {"key case", "[Purge]\nheure=1\n", "Purge", "HEURE", "1"},
        {"spaces around brackets and names", "  [ Purge ]  \n  Heure  =1\n", "Purge", "Heure", "1"},
        {"tab before key", "[Purge]\n\tHeure=1\n", "Purge", "Heure", "1"},
        {"value not trimmed", "[S]\nk=  a b  \n", "S", "k", "  a b  "},
        {"quotes kept", "[S]\nk=\"x\"\n", "S", "k", "\"x\""},
        {"value holds equals signs", "[S]\nk=a=b=\n", "S", "k", "a=b="},
        {"empty value is present", "[S]\nk=\n", "S", "k", ""},
        {"CRLF ending not in value", "[S]\r\nk=v\r\n", "S", "k", "v"},
        {"cut CRLF at end of file", "[S]\r\nk=v\r", "S", "k", "v"},
        {"CR then CRLF ends the line", "[S]\nk=v\r\r\n", "S", "k", "v"},
        {"last line without newline", "[S]\nk=v", "S", "k", "v"},
        {"lone CR ends the line", "[S]\nk=a\rb=2\n", "S", "k", "a"},
        {"line after a lone CR", "[S]\nk=a\rb=2\n", "S", "b", "2"},
        {"missing key", "[S]\nother=1\n", "S", "k", std::nullopt},
        {"missing section", "[T]\nk=1\n", "S", "k", std::nullopt},
        {"key of another section", "[S]\n[T]\nk=1\n", "S", "k", std::nullopt},
        {"key before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
        {"semicolon comment", "[S]\n;k=1\n", "S", "k", std::nullopt},
        {"hash comment", "[S]\n  # k=1\n", "S", "k", std::nullopt},
        {"first duplicate key wins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        {"first duplicate section wins", "[S]\na=1\n[T]\n[s]\nk=2\n", "S", "k", std::nullopt},
        {"text after the closing bracket", "[S] ; note\nk=1\n", "S", "k", "1"},
        {"unclosed bracket is no section", "[S]\n[T\nk=1\n", "S", "k", "1"},
        {"empty section name", "[]\nk=1\n", "", "k", "1"},
        {"spaces in names", "[My Section]\nmy key=1\n", "my section", "MY KEY", "1"},
        {"caller's spaces ignored", "[S]\nk=1\n", " S ", "\tk ", "1"},
        {"case folding is ASCII only", "[S]\n\xC3\x89t\xC3\xA9=1\n", "S", "\xC3\xA9t\xC3\xA9",
         std::nullopt},
        {"byte order mark before the first section", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "1"},
        {"byte order mark only at the start", "[T]\n\xEF\xBB\xBF[S]\nk=1\n", "S", "k",
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IniDocument(c.text).Get(c.section, c.key), c.expected);
    }
}

TEST(IniDocumentTest, TextComesBackByteForByte) {
    const std::vector<std::string> texts = {
        "",
        "\n",
        "\r\n",
        "\r",
        "no newline",
        "[S]\nk=v",
        "[S]\r\nk=v\r\n; comment\r\n\r\n",
        "mixed\nendings\r\nhere\n",
        "k=before\n[S]\n\n\n[S]\nk=dup\n  weird line  \n=\n[unclosed\n",
        std::string("nul\0byte=1\n", 11),
        "\xFF\xFE invalid utf-8\n",
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\n",
        "\xEF\xBB[S]\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IniDocument(text).ToText(), text);
    }
}

TEST(IniDocumentTest, SetChangesOrAddsOnlyWhatItMust) {
    struct Case {
        std::string name;
        std::string before;
        std::string section;
        std::string key;
        std::string value;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"empty text", "", "S", "k", "v", "[S]\nk=v\n"},
        {"changed key keeps position and name", "[s]\nHEURE=1\nX=2\n", "S", "heure", "3",
         "[s]\nHEURE=3\nX=2\n"},
        {"spaces around changed key name dropped", "[S]\n  k  =1\n", "S", "k", "2", "[S]\nk=2\n"},
        {"new key after last key, before blank lines", "[A]\nx=1\n\n\n[B]\ny=2\n", "A", "k", "v",
         "[A]\nx=1\nk=v\n\n\n[B]\ny=2\n"},
        {"new key before comment of next section", "[A]\nx=1\n; about B\n[B]\n", "A", "k", "v",
         "[A]\nx=1\nk=v\n; about B\n[B]\n"},
        {"new key after comments of a keyless section", "[A]\n; note\n\n[B]\n", "A", "k", "v",
         "[A]\n; note\nk=v\n\n[B]\n"},
        {"new key in last section", "[A]\nx=1\n", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        {"new section after a blank line", "[A]\nx=1\n", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        {"no second blank line", "[A]\nx=1\n\n", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        {"new section after keys of no section", "top=1\n", "B", "k", "v", "top=1\n\n[B]\nk=v\n"},
        {"last line without newline, new key", "[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        {"last line without newline, new section", "[A]\nx=1", "B", "k", "v",
         "[A]\nx=1\n\n[B]\nk=v\n"},
        {"last line without newline, changed", "[A]\nk=1", "A", "k", "2", "[A]\nk=2"},
        {"CRLF text, new key", "[A]\r\nx=1\r\n\r\n", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\n\r\n"},
        {"CRLF text, new section", "[A]\r\nx=1\r\n", "B", "k", "v",
         "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        {"CRLF text, changed key", "[A]\r\nk=1\r\n", "A", "k", "2", "[A]\r\nk=2\r\n"},
        {"cut CRLF at end completed", "[A]\r\nx=1\r", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\n"},
        {"first duplicate section written", "[A]\nx=1\n[B]\n[a]\nk=old\n", "A", "k", "v",
         "[A]\nx=1\nk=v\n[B]\n[a]\nk=old\n"},
        {"first duplicate key written", "[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
        {"key before any section untouched", "k=old\n[S]\n", "S", "k", "new",
         "k=old\n[S]\nk=new\n"},
        {"commented key untouched", "[S]\n;k=old\n", "S", "k", "new", "[S]\n;k=old\nk=new\n"},
        {"word alone is the key without value", "[S]\n  k \nx=1\n", "S", "k", "v",
         "[S]\nk=v\nx=1\n"},
        {"same value leaves spacing alone", "[S]\n k = 1\n", "S", "k", " 1", "[S]\n k = 1\n"},
        {"value cut at LF", "[S]\n", "S", "k", "a\nb=c", "[S]\nk=a\n"},
        {"value cut at CR", "[S]\nk=1\n", "S", "k", "a\r\n[Evil]\nx=1", "[S]\nk=a\n"},
        {"value starting with a line break", "[S]\nk=1\n", "S", "k", "\n[Evil]", "[S]\nk=\n"},
        {"value with brackets stays a value", "", "S", "k", "[T]", "[S]\nk=[T]\n"},
        {"caller's spaces not written", "", " S ", " k ", "v", "[S]\nk=v\n"},
        {"byte order mark stays first, no second section", "\xEF\xBB\xBF[S]\nk=1\n", "s", "k", "2",
         "\xEF\xBB\xBF[S]\nk=2\n"},
        {"byte order mark before a new section", "\xEF\xBB\xBF", "S", "k", "v",
         "\xEF\xBB\xBF[S]\nk=v\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document(c.before);
        EXPECT_EQ(document.Set(c.section, c.key, c.value), c.after != c.before);
        EXPECT_EQ(document.ToText(), c.after);
        EXPECT_EQ(IniDocument(document.ToText()).ToText(), c.after);
    }
}

TEST(IniDocumentTest, SetRefusesNamesThatWouldNotReadBack) {
    struct Case {
        std::string section;
        std::string key;
    };
    const std::vector<Case> cases = {
        {"S", ""},   {"S", "  "},   {"S", "a=b"},  {"S", "[T]"}, {"S", "[k"},   {"S", ";k"},
        {"S", "#k"}, {"S", "a\nb"}, {"S", "a\rb"}, {"a]b", "k"}, {"a\nb", "k"}, {"a\r", "k"},
    };
    const std::string before = "[S]\nx=1\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section + "/" + c.key);
        IniDocument document(before);
        EXPECT_FALSE(document.Set(c.section, c.key, "v"));
        EXPECT_EQ(document.ToText(), before);
    }
}

TEST(IniDocumentTest, WrittenValuesReadBack) {
    const std::vector<std::string> values = {"plain", " padded ", "a=b", ";not a comment",
                                             "[T]",   "\"q\"",    "\t",  std::string("\0x", 2)};
    for (const std::string& value : values) {
        SCOPED_TRACE(value);
        IniDocument document("[S]\nk=old\n");
        document.Set("S", "k", value);
        document.Set("S", "other", value);
        const IniDocument reparsed(document.ToText());
        EXPECT_EQ(reparsed.Get("S", "k"), value);
        EXPECT_EQ(reparsed.Get("S", "other"), value);
    }
}

TEST(IniDocumentTest, RemoveTakesEveryLineOfTheKeyInItsSection) {
    struct Case {
        std::string name;
        std::string before;
        std::string section;
        std::string key;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"single key", "[S]\na=1\nk=2\nb=3\n", "S", "k", "[S]\na=1\nb=3\n"},
        {"any case", "[s]\nK=2\n", "S", "k", "[s]\n"},
        {"duplicates in the section", "[S]\nk=1\nx=0\nk=2\n", "S", "k", "[S]\nx=0\n"},
        {"same key elsewhere kept", "k=0\n[T]\nk=1\n[S]\nk=2\n[s]\nk=3\n", "S", "k",
         "k=0\n[T]\nk=1\n[S]\n[s]\nk=3\n"},
        {"CRLF", "[S]\r\nk=1\r\nx=2\r\n", "S", "k", "[S]\r\nx=2\r\n"},
        {"last line without newline", "[S]\nx=1\nk=2", "S", "k", "[S]\nx=1\n"},
        {"missing key", "[S]\nx=1\n", "S", "k", "[S]\nx=1\n"},
        {"missing section", "[T]\nk=1\n", "S", "k", "[T]\nk=1\n"},
        {"commented key", "[S]\n;k=1\n", "S", "k", "[S]\n;k=1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document(c.before);
        EXPECT_EQ(document.Remove(c.section, c.key), c.after != c.before);
        EXPECT_EQ(document.ToText(), c.after);
        EXPECT_EQ(document.Get(c.section, c.key), std::nullopt);
    }
}

TEST(IniDocumentTest, CutValueNeverSplitsACharacter) {
    const std::string euro = "\xE2\x82\xAC";      // 3 bytes
    const std::string eAcute = "\xC3\xA9";        // 2 bytes
    const std::string clef = "\xF0\x9D\x84\x9E";  // 4 bytes
    struct Case {
        std::string name;
        std::string value;
        std::size_t maxBytes;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"ASCII over the limit", std::string(300, 'a'), 254, std::string(254, 'a')},
        {"ASCII at the limit", std::string(254, 'a'), 254, std::string(254, 'a')},
        {"short value", "abc", 254, "abc"},
        {"2 bytes straddling", std::string(253, 'a') + eAcute, 254, std::string(253, 'a')},
        {"2 bytes fitting", std::string(252, 'a') + eAcute + "b", 254,
         std::string(252, 'a') + eAcute},
        {"3 bytes straddling by one", std::string(252, 'a') + euro, 254, std::string(252, 'a')},
        {"3 bytes straddling by two", std::string(253, 'a') + euro, 254, std::string(253, 'a')},
        {"4 bytes straddling", std::string(251, 'a') + clef, 254, std::string(251, 'a')},
        {"4 bytes fitting", std::string(250, 'a') + clef + "b", 254, std::string(250, 'a') + clef},
        {"all multi-byte", euro + euro + euro, 7, euro + euro},
        {"invalid bytes count singly", std::string(300, '\xFF'), 254, std::string(254, '\xFF')},
        {"lone continuation bytes", std::string(10, '\x80'), 5, std::string(5, '\x80')},
        {"truncated sequence counts singly",
         "ab\xE2\x82"
         "cd",
         3, "ab\xE2"},
        {"overlong form is invalid", "a\xC0\x80", 2, "a\xC0"},
        {"overlong 3-byte form is invalid", "a\xE0\x80\x80", 2, "a\xE0"},
        {"surrogate is invalid", "a\xED\xA0\x80", 2, "a\xED"},
        {"beyond U+10FFFF is invalid", "a\xF4\x90\x80\x80", 2, "a\xF4"},
        {"highest code point is valid", "a\xF4\x8F\xBF\xBF", 2, "a"},
        {"zero limit", "abc", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CutValue(c.value, c.maxBytes), c.expected);
    }
}

}  // namespace
}  // namespace quellix
