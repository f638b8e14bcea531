#include "core/config/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace quellix {
namespace {

using test::TempDir;

constexpr char kFileName[] = "quellix.ini";

enum class Kind { Memory, File };

void PrintTo(Kind kind, std::ostream* out) {
    *out << (kind == Kind::Memory ? "Memory" : "File");
}

// One store over a starting text; for the file kind, nullopt means there is no file yet.
class Subject {
  public:
    Subject(Kind kind, const std::optional<std::string>& text) {
        if (kind == Kind::Memory) {
            auto memory = std::make_unique<MemoryConfigStore>(text.value_or(""));
            memory_ = memory.get();
            store_ = std::move(memory);
        } else {
            const std::string path = text ? dir_.Write(kFileName, *text) : dir_.File(kFileName);
            store_ = std::make_unique<IniFile>(path);
        }
    }

    ConfigStore& Store() { return *store_; }

    // What the store holds now; nullopt when no file exists.
    std::optional<std::string> Text() const {
        if (memory_ != nullptr) {
            return memory_->Text();
        }
        if (!dir_.Exists(kFileName)) {
            return std::nullopt;
        }
        return dir_.Read(kFileName);
    }

  private:
    TempDir dir_;
    std::unique_ptr<ConfigStore> store_;
    MemoryConfigStore* memory_ = nullptr;
};

class ConfigStoreRulesTest : public testing::TestWithParam<Kind> {};

TEST_P(ConfigStoreRulesTest, ReadsByTheReadingRules) {
    const std::string eAcute = "\xC3\xA9";
    struct Case {
        std::string name;
        std::optional<std::string> text;
        std::string section;
        std::string key;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"present", "[Purge]\nHeure=12:00\n", "Purge", "Heure", "12:00"},
        {"any case", "[PURGE]\nheure=12:00\n", "purge", "HEURE", "12:00"},
        {"no file", std::nullopt, "Purge", "Heure", std::nullopt},
        {"missing section", "[Other]\nHeure=1\n", "Purge", "Heure", std::nullopt},
        {"missing key", "[Purge]\nJours=1\n", "Purge", "Heure", std::nullopt},
        {"empty value is absent", "[Purge]\nHeure=\n", "Purge", "Heure", std::nullopt},
        // As Windows' profile functions read it.
        {"blanks alone are absent", "[Purge]\nHeure= \t\n", "Purge", "Heure", std::nullopt},
        {"blanks around go", "[Purge]\nHeure= 12:00 ;x\t\n", "Purge", "Heure", "12:00 ;x"},
        {"one pair of quotes goes", "[S]\nk= \"a \"b\" \"\n", "S", "k", "a \"b\" "},
        {"single quotes too", "[S]\nk='7'\n", "S", "k", "7"},
        {"unmatched quote stays", "[S]\nk=\"1\n", "S", "k", "\"1"},
        {"quotes alone are absent", "[S]\nk=\"\"\n", "S", "k", std::nullopt},
        {"CRLF", "[Purge]\r\nHeure=12:00\r\n", "Purge", "Heure", "12:00"},
        {"300 bytes cut to 254", "[S]\nk=" + std::string(300, 'x') + "\n", "S", "k",
         std::string(254, 'x')},
        {"254 bytes kept", "[S]\nk=" + std::string(254, 'x') + "\n", "S", "k",
         std::string(254, 'x')},
        {"character straddling the limit", "[S]\nk=" + std::string(253, 'x') + eAcute + "\n", "S",
         "k", std::string(253, 'x')},
        {"invalid bytes cut singly", "[S]\nk=" + std::string(300, '\xFE') + "\n", "S", "k",
         std::string(254, '\xFE')},
        {"first section after a byte order mark", "\xEF\xBB\xBF[Purge]\r\nHeure=7:00\r\n", "Purge",
         "Heure", "7:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Subject subject(GetParam(), c.text);
        EXPECT_EQ(subject.Store().Read(c.section, c.key), c.expected);
    }
}

TEST_P(ConfigStoreRulesTest, WritesChangeOnlyWhatTheyMust) {
    struct Op {
        std::string section;
        std::string key;
        std::optional<std::string> value;  // nullopt: Delete
    };
    struct Case {
        std::string name;
        std::optional<std::string> before;
        std::vector<Op> ops;
        std::optional<std::string> after;
    };
    const std::string foreign =
        "; written by hand\r\n"
        "top=before any section\r\n"
        "\r\n"
        "[Other]\r\n"
        "Heure=not ours\r\n"
        "  # Heure=commented\r\n"
        "\r\n"
        "[purge]\r\n"
        "  Heure = 08:00\r\n"
        "Unknown=kept\r\n"
        "HEURE=duplicate\r\n"
        "\r\n"
        "[Purge]\r\n"
        "Jours=second section\r\n"
        "odd line without equals";
    const std::vector<Case> cases = {
        {"first writes create file, section and keys",
         std::nullopt,
         {{"Purge", "Heure", "12:00"},
          {"Purge", "Jours", "1234567"},
          {"Purge", "Temporisation", "30"}},
         "[Purge]\nHeure=12:00\nJours=1234567\nTemporisation=30\n"},
        {"empty value deletes",
         "[Purge]\nHeure=1\nJours=2\n",
         {{"purge", "HEURE", ""}},
         "[Purge]\nJours=2\n"},
        {"delete", "[Purge]\nHeure=1\nJours=2\n", {{"Purge", "Jours", {}}}, "[Purge]\nHeure=1\n"},
        {"delete of a missing key creates no file",
         std::nullopt,
         {{"Purge", "Heure", {}}, {"Purge", "Jours", ""}},
         std::nullopt},
        {"delete of a missing key changes nothing",
         "[Purge]\nHeure=1",
         {{"Purge", "Jours", {}}, {"Other", "Heure", ""}},
         "[Purge]\nHeure=1"},
        {"value cut at its first line break",
         "[S]\n",
         {{"S", "k", "a\r\n[Evil]\nx=1"}},
         "[S]\nk=a\n"},
        {"value that is only a line break deletes",
         "[S]\nk=1\n",
         {{"S", "k", "\n[Evil]\nx=1"}},
         "[S]\n"},
        {"foreign lines kept byte for byte",
         foreign,
         {{"Purge", "Heure", "12:00"}, {"Purge", "Jours", "7"}, {"Purge", "Unknown", {}}},
         "; written by hand\r\n"
         "top=before any section\r\n"
         "\r\n"
         "[Other]\r\n"
         "Heure=not ours\r\n"
         "  # Heure=commented\r\n"
         "\r\n"
         "[purge]\r\n"
         "Heure=12:00\r\n"
         "HEURE=duplicate\r\n"
         "Jours=7\r\n"
         "\r\n"
         "[Purge]\r\n"
         "Jours=second section\r\n"
         "odd line without equals"},
        {"new section at the end of a foreign file",
         foreign,
         {{"Dossiers", "1", "/tmp"}},
         foreign + "\r\n\r\n[Dossiers]\r\n1=/tmp\r\n"},
        {"byte order mark kept, its section written in place",
         "\xEF\xBB\xBF[Purge]\r\nHeure=7:00\r\n; note\r\n",
         {{"Purge", "Heure", "8:00"}, {"Purge", "NbDernierePurge", "3"}},
         "\xEF\xBB\xBF[Purge]\r\nHeure=8:00\r\nNbDernierePurge=3\r\n; note\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Subject subject(GetParam(), c.before);
        for (const Op& op : c.ops) {
            if (op.value) {
                subject.Store().Write(op.section, op.key, *op.value);
            } else {
                subject.Store().Delete(op.section, op.key);
            }
        }
        EXPECT_EQ(subject.Text(), GetParam() == Kind::Memory ? c.after.value_or("") : c.after);
    }
}

TEST_P(ConfigStoreRulesTest, WrittenValuesReadBack) {
    Subject subject(GetParam(), "[Purge]\nHeure=08:00\n");
    ConfigStore& store = subject.Store();
    store.Write("Purge", "Heure", " 12:00 ");
    store.Write("Dossiers", "1", std::string(300, 'd'));
    store.Write("Purge", "Jours", "1\n2");
    // Written as given, read as Windows reads it: without the blanks around.
    EXPECT_EQ(store.Read("PURGE", "heure"), "12:00");
    EXPECT_EQ(store.Read("Dossiers", "1"), std::string(254, 'd'));
    EXPECT_EQ(store.Read("Purge", "Jours"), "1");
    store.Delete("purge", "HEURE");
    EXPECT_EQ(store.Read("Purge", "Heure"), std::nullopt);
    EXPECT_EQ(store.Read("Purge", "Jours"), "1");
}

INSTANTIATE_TEST_SUITE_P(BothStores, ConfigStoreRulesTest,
                         testing::Values(Kind::Memory, Kind::File),
                         [](const testing::TestParamInfo<Kind>& kind) {
                             return kind.param == Kind::Memory ? "Memory" : "File";
                         });

TEST(IniFileTest, SeesChangesMadeByAnotherWriter) {
    TempDir dir;
    const std::string path = dir.Write(kFileName, "[Purge]\nHeure=1\n");
    IniFile file(path);
    EXPECT_EQ(file.Read("Purge", "Heure"), "1");

    // Rewritten in place, with a different size so that the change shows even within one tick
    // of the file system's clock.
    dir.Write(kFileName, "[Purge]\nHeure=22\nOther=x\n");
    EXPECT_EQ(file.Read("Purge", "Heure"), "22");

    // Our next write starts from the other writer's content.
    std::filesystem::remove(path);
    dir.Write(kFileName, "[Purge]\nHeure=333\n");
    file.Write("Purge", "Jours", "5");
    EXPECT_EQ(dir.Read(kFileName), "[Purge]\nHeure=333\nJours=5\n");

    std::filesystem::remove(path);
    EXPECT_EQ(file.Read("Purge", "Heure"), std::nullopt);

    // A run of reads (a whole load) sees the file as it was at its first read, nested runs
    // included; the next read after it sees the change.
    dir.Write(kFileName, "[Purge]\nHeure=4\n");
    {
        const ConfigReading reading(file);
        EXPECT_EQ(file.Read("Purge", "Heure"), "4");
        dir.Write(kFileName, "[Purge]\nHeure=55\n");
        {
            const ConfigReading inner(file);
            EXPECT_EQ(file.Read("Purge", "Heure"), "4");
        }
        EXPECT_EQ(file.Read("Purge", "Heure"), "4");
    }
    EXPECT_EQ(file.Read("Purge", "Heure"), "55");
}

TEST(IniFileTest, WritesThatChangeNothingLeaveTheFileAlone) {
    TempDir dir;
    const std::string text = "[Purge]\n Heure = 12:00\n";
    const std::string path = dir.Write(kFileName, text);
    const auto stamp = platform::GetFileStamp(path);
    ASSERT_TRUE(stamp);

    IniFile file(path);
    file.Write("purge", "heure", " 12:00");
    file.Delete("Purge", "Jours");
    file.Write("Other", "Jours", "");
    EXPECT_EQ(platform::GetFileStamp(path), stamp);
    EXPECT_EQ(dir.Read(kFileName), text);
}

TEST(IniFileTest, FailedWriteKeepsTheValueInMemory) {
    TempDir dir;
    IniFile file(dir.File("missing/quellix.ini"));
    file.Write("Purge", "Heure", "12:00");
    EXPECT_FALSE(dir.Exists("missing"));
    EXPECT_EQ(file.Read("Purge", "Heure"), "12:00");
    file.Delete("Purge", "Heure");
    EXPECT_EQ(file.Read("Purge", "Heure"), std::nullopt);
    EXPECT_FALSE(dir.Exists("missing"));
}

TEST(IniFileTest, PendingChangeReachesTheFileWithTheNextWrite) {
    struct Case {
        std::string name;
        std::string secondValue;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"a new value", "2", "[Purge]\nHeure=1\nJours=2\n"},
        {"a value deleting nothing", "", "[Purge]\nHeure=1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        IniFile file(dir.File("later/quellix.ini"));
        file.Write("Purge", "Heure", "1");
        dir.Write("later/unrelated", "");
        file.Write("Purge", "Jours", c.secondValue);
        EXPECT_EQ(dir.Read("later/quellix.ini"), c.expected);
    }
}

TEST(IniFileTest, FileChangedOnDiskWinsOverAnUnsavedChange) {
    TempDir dir;
    IniFile file(dir.File("later/quellix.ini"));
    file.Write("Purge", "Heure", "1");
    dir.Write("later/quellix.ini", "[Purge]\nJours=2\n");
    EXPECT_EQ(file.Read("Purge", "Heure"), std::nullopt);
    EXPECT_EQ(file.Read("Purge", "Jours"), "2");
}

TEST(IniFileTest, UnreadableFileIsNotReplaced) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string text = "[Purge]\nHeure=1\n";
    const std::string path = dir.Write(kFileName, text);
    fs::permissions(path, fs::perms::none);
    if (platform::ReadWholeFile(path)) {
        GTEST_SKIP() << "this user reads files whatever their permissions";
    }
    IniFile file(path);
    file.Write("Purge", "Jours", "2");
    EXPECT_EQ(file.Read("Purge", "Jours"), "2");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(dir.Read(kFileName), text);
}

// A file swapped in while the program runs, that it must not go by, is neither read nor written
// over: what was read before stays, and so do the changes made since.
TEST(IniFileTest, FileNotToGoByMidRunIsNeitherReadNorReplaced) {
    const std::string changed = "[Purge]\nHeure=2\nChanged=yes\n";
    const struct {
        std::string what;
        bool needsRoot;
        std::function<void(const std::string& path)> change;
        platform::ConfigFileState state;
    } cases[] = {
        {"grown past the limit", false,
         [&](const std::string& path) {
             std::filesystem::resize_file(path, IniFile::kMaxFileBytes + 1);
         },
         platform::ConfigFileState::TooLarge},
        {"given to another user", true,
         [](const std::string& path) { ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0); },
         platform::ConfigFileState::Untrusted},
        {"made writable by the group", true,
         [](const std::string& path) { ASSERT_EQ(::chmod(path.c_str(), 0660), 0); },
         platform::ConfigFileState::Untrusted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && ::geteuid() != 0) {
            continue;  // only root refuses files others can change
        }
        TempDir dir;
        const std::string path = dir.Write(kFileName, "[Purge]\nHeure=1\n");
        ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
        IniFile file(path);
        EXPECT_EQ(file.Read("Purge", "Heure"), "1");
        EXPECT_EQ(file.FileState(), platform::ConfigFileState::Regular);

        dir.Write(kFileName, changed);
        c.change(path);
        const auto stamp = platform::GetFileStamp(path);
        EXPECT_EQ(file.Read("Purge", "Heure"), "1");
        EXPECT_EQ(file.FileState(), c.state);
        file.Write("Purge", "Jours", "2");
        EXPECT_EQ(file.Read("Purge", "Jours"), "2");
        EXPECT_EQ(platform::GetFileStamp(path), stamp);
    }
}

TEST(IniFileTest, BatchReplacesTheFileOnceAtTheOutermostEnd) {
    TempDir dir;
    const std::string before = "[Purge]\nHeure=1\n";
    const std::string path = dir.Write(kFileName, before);
    IniFile file(path);
    {
        ConfigBatch outer(file);
        file.Write("Purge", "Jours", "2");
        {
            ConfigBatch inner(file);
            file.Write("Dossiers", "1", "/tmp");
        }
        EXPECT_EQ(dir.Read(kFileName), before);
        EXPECT_EQ(file.Read("Dossiers", "1"), "/tmp");
        file.Delete("Purge", "Heure");
        EXPECT_EQ(dir.Read(kFileName), before);
    }
    EXPECT_EQ(dir.Read(kFileName), "[Purge]\nJours=2\n\n[Dossiers]\n1=/tmp\n");
    EXPECT_EQ(file.Read("Purge", "Heure"), std::nullopt);
}

TEST(IniFileTest, BatchedChangesSurviveAForeignChangeMidBatch) {
    TempDir dir;
    const std::string path = dir.Write(kFileName, "[Purge]\nHeure=1\n");
    IniFile file(path);
    {
        ConfigBatch batch(file);
        file.Write("Purge", "Jours", "2");
        dir.Write(kFileName, "[Purge]\nHeure=333\n");
        EXPECT_EQ(file.Read("Purge", "Jours"), "2");
        file.Write("Purge", "Temporisation", "30");
    }
    EXPECT_EQ(dir.Read(kFileName), "[Purge]\nHeure=1\nJours=2\nTemporisation=30\n");
}

TEST(IniFileTest, BatchWithoutChangeCreatesNoFile) {
    TempDir dir;
    IniFile file(dir.File(kFileName));
    {
        ConfigBatch batch(file);
        file.Delete("Purge", "Heure");
        file.Write("Purge", "Jours", "");
    }
    EXPECT_FALSE(dir.Exists(kFileName));
}

}  // namespace
}  // namespace quellix
