#include "platform/leftover_temporaries.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/file_tree.h"

namespace quellix::platform {
namespace {

constexpr std::int64_t kNow = 2'000'000'000;
constexpr std::int64_t kOld = kNow - 2 * 24 * 3600;
constexpr std::int64_t kFresh = kNow - 3600;

TEST(RemoveLeftoverTemporaries, OnlyAbandonedTemporariesOfTheFileGo) {
    test::FileTree tree;
    tree.File("Quellix.ini", kFresh);
    tree.File(".Quellix.ini.lock", kOld);
    tree.File(".Quellix.ini.quellix-k1LLed", kFresh);
    tree.File(".Quellix.ini.quellix-0ld000", kOld);
    tree.File(".Other.ini.quellix-k1LLed", kOld);
    tree.File(".Quellix.ini.quellix-k1LLed-not", kOld);
    // The earlier form may be another file's writer at work: only old ones open nowhere go.
    tree.File(".quellix-0ld000", kOld);
    tree.File(".quellix-fre5h0", kFresh);
    tree.File(".quellix-0pen00", kOld);
    tree.File("outside/victim", kOld);
    tree.Link(".Quellix.ini.quellix-L1nk00", tree.Path("outside/victim"), kOld);
    tree.Link(".quellix-L1nk00", tree.Path("outside/victim"), kOld);
    tree.Folder(".Quellix.ini.quellix-f0lder");
    tree.Fifo(".Quellix.ini.quellix-f1f000", kOld);
    tree.Fifo(".quellix-f1f000", kOld);

    const int open = ::open(tree.Path(".quellix-0pen00").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(open, 0);
    EXPECT_EQ(RemoveLeftoverTemporaries(tree.Path("Quellix.ini"), kNow), 3);
    ::close(open);

    EXPECT_EQ(test::NamesIn(tree.Root()), (std::vector<std::string>{
                                              ".Other.ini.quellix-k1LLed",
                                              ".Quellix.ini.lock",
                                              ".Quellix.ini.quellix-L1nk00",
                                              ".Quellix.ini.quellix-f0lder",
                                              ".Quellix.ini.quellix-f1f000",
                                              ".Quellix.ini.quellix-k1LLed-not",
                                              ".quellix-0pen00",
                                              ".quellix-L1nk00",
                                              ".quellix-f1f000",
                                              ".quellix-fre5h0",
                                              "Quellix.ini",
                                              "outside",
                                          }));
    EXPECT_EQ(tree.Read("outside/victim"), "x");
}

TEST(RemoveLeftoverTemporaries, WorksInTheFolderTheWritesLandIn) {
    test::FileTree tree;
    tree.File("real/Quellix.ini", kFresh);
    tree.Link("conf/q.ini", "../real/Quellix.ini", kFresh);
    tree.File("real/.Quellix.ini.quellix-abcdef", kFresh);
    tree.File("conf/.q.ini.quellix-abcdef", kFresh);
    EXPECT_EQ(RemoveLeftoverTemporaries(tree.Path("conf/q.ini"), kNow), 1);
    EXPECT_EQ(test::NamesIn(tree.Path("conf")),
              (std::vector<std::string>{".q.ini.quellix-abcdef", "q.ini"}));
    EXPECT_EQ(test::NamesIn(tree.Path("real")), std::vector<std::string>{"Quellix.ini"});
    EXPECT_EQ(RemoveLeftoverTemporaries(tree.Path("missing/q.ini"), kNow), 0);
}

}  // namespace
}  // namespace quellix::platform
