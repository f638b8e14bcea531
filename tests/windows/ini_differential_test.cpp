// Our INI reader and writer against the system's profile-string functions, on the same files.

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/config/ini_file.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// What GetPrivateProfileStringA gives with the empty default and a 255-character buffer, as our
// reader would say it: nullopt for a length of 0.
std::optional<std::string> SystemRead(const std::string& path, const char* section,
                                      const char* key) {
    char buffer[255];
    const DWORD length =
        ::GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path.c_str());
    if (length == 0) {
        return std::nullopt;
    }
    return std::string(buffer, length);
}

const std::string kLong(300, 'x');

// Files written by hand or by other programs, each asked for the same keys.
const struct {
    const char* name;
    std::string text;
} kCorpus[] = {
    {"plain", "[Purge]\r\nHeure=12:00\r\nJours=1234567\r\n"},
    {"case", "[pURGE]\r\nheure=07:30\r\n"},
    {"blanks", "[ Purge ]\r\n  Heure  =  12:00  \r\nJours =\t23456\t\r\n"},
    {"quotes", "[Purge]\r\nHeure=\"12:00\"\r\nJours='7'\r\nLangue=\"1\r\n"},
    {"duplicates",
     "[Purge]\r\nHeure=01:00\r\nHeure=02:00\r\n[Purge]\r\nJours=1\r\nHeure=03:00\r\n"},
    {"comments",
     "; a note\r\n[Purge]\r\n;Heure=05:00\r\n# Jours=7\r\nHeure=06:00 ; not a comment\r\n"},
    {"no equals", "[Purge]\r\nHeure\r\nJours=1\r\njust words\r\n"},
    {"long value", "[Paths]\r\nPath1=" + kLong + "\r\n"},
    {"empty value", "[Purge]\r\nHeure=\r\nJours=  \r\n"},
    {"unix lines", "[Purge]\nHeure=08:00\nJours=12\n"},
    {"no section", "Heure=09:00\r\n[Purge]\r\nJours=3\r\n"},
    {"equals in value", "[Paths]\r\nPath1=C:\\a=b\\\r\n"},
};

const struct {
    const char* section;
    const char* key;
} kQueries[] = {{"Purge", "Heure"},   {"Purge", "Jours"},     {"Purge", "Langue"},
                {"purge", "HEURE"},   {"Paths", "Path1"},     {"Purge", "Missing"},
                {"Nothing", "Heure"}, {"Purge", "just words"}};

TEST(IniDifferential, ReaderAnswersAsTheSystemDoes) {
    test::TempDir dir;
    for (const auto& file : kCorpus) {
        const std::string path = dir.File(std::string(file.name) + ".ini");
        WriteBytes(path, file.text);
        IniFile ours(path);
        for (const auto& query : kQueries) {
            EXPECT_EQ(ours.Read(query.section, query.key),
                      SystemRead(path, query.section, query.key))
                << file.name << ": [" << query.section << "] " << query.key;
        }
    }
    // A missing file reads as absent everywhere.
    IniFile missing(dir.File("none.ini"));
    EXPECT_EQ(missing.Read("Purge", "Heure"), std::nullopt);
    EXPECT_EQ(SystemRead(dir.File("none.ini"), "Purge", "Heure"), std::nullopt);
}

TEST(IniDifferential, WriterLeavesWhatTheSystemLeaves) {
    struct Step {
        const char* section;
        const char* key;
        const char* value;  // nullptr deletes
    };
    const Step steps[] = {
        {"Purge", "Heure", "12:00"}, {"Purge", "Jours", "1234567"},
        {"Paths", "NbPaths", "2"},   {"Paths", "Path1", "C:\\Temp\\"},
        {"purge", "HEURE", "13:00"}, {"Paths", "Path1", nullptr},
        {"Logs", "Logs", "1"},
    };
    test::TempDir dir;
    for (const auto& file : kCorpus) {
        const std::string oursPath = dir.File(std::string(file.name) + "-ours.ini");
        const std::string systemPath = dir.File(std::string(file.name) + "-system.ini");
        WriteBytes(oursPath, file.text);
        WriteBytes(systemPath, file.text);
        IniFile ours(oursPath);
        for (const Step& step : steps) {
            if (step.value != nullptr) {
                ours.Write(step.section, step.key, step.value);
            } else {
                ours.Delete(step.section, step.key);
            }
            ::WritePrivateProfileStringA(step.section, step.key, step.value, systemPath.c_str());
        }
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, systemPath.c_str());  // flush
        // The layouts differ on purpose (ours keeps every line it does not change as it was,
        // and puts a blank line before a section it adds), but the system reads both alike,
        // and ours reads the system's file as the system does.
        IniFile theirs(systemPath);
        for (const auto& query : kQueries) {
            const auto expected = SystemRead(systemPath, query.section, query.key);
            EXPECT_EQ(SystemRead(oursPath, query.section, query.key), expected)
                << file.name << ": [" << query.section << "] " << query.key;
            EXPECT_EQ(theirs.Read(query.section, query.key), expected)
                << file.name << ": [" << query.section << "] " << query.key;
        }
        // Line endings follow the file's own.
        EXPECT_EQ(ReadBytes(oursPath).find("\r\n") != std::string::npos,
                  file.text.find("\r\n") != std::string::npos)
            << file.name;
    }
}

}  // namespace
}  // namespace quellix
