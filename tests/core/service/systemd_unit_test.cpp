#include "core/service/systemd_unit.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quellix {
namespace {

bool HasLine(const std::string& text, const std::string& line) {
    std::istringstream lines(text);
    for (std::string current; std::getline(lines, current);) {
        if (current == line) {
            return true;
        }
    }
    return false;
}

UnitRequest Request(ServiceStartType type, bool userUnit = false) {
    return {"/usr/bin/quellix", "/etc/quellix/Quellix.ini", type, false, userUnit};
}

TEST(ComposeUnit, SystemUnitStartsTheProgramAsServiceAfterRemoteFileSystems) {
    const UnitText unit = ComposeUnit(Request(ServiceStartType::Automatic));
    ASSERT_EQ(unit.error, "");
    EXPECT_TRUE(HasLine(unit.text, "[Unit]"));
    EXPECT_TRUE(HasLine(unit.text, "Description=Quellix Service"));
    EXPECT_TRUE(HasLine(unit.text, "Wants=remote-fs.target"));
    EXPECT_TRUE(HasLine(unit.text, "After=remote-fs.target"));
    EXPECT_TRUE(HasLine(unit.text, "[Service]"));
    EXPECT_TRUE(HasLine(unit.text, "Type=exec"));
    EXPECT_TRUE(HasLine(
        unit.text, "ExecStart=\"/usr/bin/quellix\" --service \"--ini=/etc/quellix/Quellix.ini\""));
    EXPECT_TRUE(HasLine(unit.text, "[Install]"));
    EXPECT_TRUE(HasLine(unit.text, "WantedBy=multi-user.target"));
    // SIGTERM, systemd's default, stops the service.
    EXPECT_EQ(unit.text.find("KillSignal="), std::string::npos);
    EXPECT_EQ(unit.text.find("RefuseManualStart"), std::string::npos);
}

TEST(ComposeUnit, StartTypesDecideInstallSectionAndManualStart) {
    const std::string manual = ComposeUnit(Request(ServiceStartType::Manual)).text;
    EXPECT_TRUE(HasLine(manual, "WantedBy=multi-user.target"));
    EXPECT_EQ(manual.find("RefuseManualStart"), std::string::npos);

    const std::string disabled = ComposeUnit(Request(ServiceStartType::Disabled)).text;
    EXPECT_TRUE(HasLine(disabled, "RefuseManualStart=yes"));
    EXPECT_EQ(disabled.find("[Install]"), std::string::npos);
    EXPECT_EQ(disabled.find("WantedBy"), std::string::npos);

    // The user's manager has no remote-fs.target and no multi-user.target.
    const std::string user = ComposeUnit(Request(ServiceStartType::Automatic, true)).text;
    EXPECT_TRUE(HasLine(user, "WantedBy=default.target"));
    EXPECT_EQ(user.find("remote-fs.target"), std::string::npos);
    EXPECT_EQ(user.find("multi-user.target"), std::string::npos);
}

TEST(ComposeUnit, ExecStartQuotesOddPaths) {
    UnitRequest request = Request(ServiceStartType::Manual);
    request.executable = "/opt/my tools/100% $HOME/quellix";
    request.configPath = "/srv/a \"b\" c\\d/%i $x ${y}.ini";
    const UnitText unit = ComposeUnit(request);
    ASSERT_EQ(unit.error, "");
    // "%" is doubled everywhere; "$" only in arguments, since the program path is not expanded.
    EXPECT_TRUE(HasLine(unit.text, R"(ExecStart="/opt/my tools/100%% $HOME/quellix" --service )"
                                   R"("--ini=/srv/a \"b\" c\\d/%%i $$x $${y}.ini")"));
}

TEST(QuoteExecArgument, EscapesWhatSystemdWouldInterpret) {
    EXPECT_EQ(QuoteExecArgument("plain"), "\"plain\"");
    EXPECT_EQ(QuoteExecArgument("a b;c 'd'"), "\"a b;c 'd'\"");
    EXPECT_EQ(QuoteExecArgument("%n%%"), "\"%%n%%%%\"");
    EXPECT_EQ(QuoteExecArgument("$A$$"), "\"$$A$$$$\"");
    EXPECT_EQ(QuoteExecArgument("\\\""), "\"\\\\\\\"\"");
    // Control characters and bytes that are not UTF-8 go as escapes; UTF-8 stays as it is.
    EXPECT_EQ(QuoteExecArgument("a\tb\rc"), "\"a\\x09b\\x0dc\"");
    EXPECT_EQ(QuoteExecArgument("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
    EXPECT_EQ(QuoteExecArgument("x\xff\xc3y"), "\"x\\xff\\xc3y\"");
    EXPECT_EQ(QuoteExecArgument(""), "\"\"");
}

TEST(QuoteExecArgument, RefusesNewlineAndNul) {
    EXPECT_FALSE(QuoteExecArgument("a\nb"));
    EXPECT_FALSE(QuoteExecArgument(std::string("a\0b", 3)));
}

TEST(ComposeUnit, RefusesPathsSystemdCannotTake) {
    const auto errorFor = [](std::string executable, std::string config) {
        UnitRequest request = Request(ServiceStartType::Automatic);
        request.executable = std::move(executable);
        request.configPath = std::move(config);
        const UnitText unit = ComposeUnit(request);
        EXPECT_EQ(unit.text, "");
        return unit.error;
    };
    const std::string ini = "/etc/Quellix.ini";
    EXPECT_NE(errorFor("/opt/it's/quellix", ini).find("quote"), std::string::npos);
    EXPECT_NE(errorFor("/opt/a\"b/quellix", ini), "");
    EXPECT_NE(errorFor("/opt/a\\b/quellix", ini), "");
    EXPECT_NE(errorFor("/opt/a\tb/quellix", ini), "");
    EXPECT_NE(errorFor("quellix", ini).find("not absolute"), std::string::npos);
    EXPECT_NE(errorFor("/opt//quellix", ini).find("normal form"), std::string::npos);
    EXPECT_NE(errorFor("/opt/../quellix", ini), "");
    EXPECT_NE(errorFor("/opt/./quellix", ini), "");
    EXPECT_NE(errorFor("/opt/quellix/", ini), "");

    EXPECT_NE(errorFor("/usr/bin/quellix", "Quellix.ini").find("not absolute"), std::string::npos);
    EXPECT_NE(errorFor("/usr/bin/quellix", "/etc/a\nb.ini").find("newline"), std::string::npos);
}

TEST(ParseUnitRegistration, ReadsBackWhatWasComposed) {
    for (const ServiceStartType type :
         {ServiceStartType::Automatic, ServiceStartType::Manual, ServiceStartType::Disabled}) {
        for (const bool desktop : {false, true}) {
            for (const bool user : {false, true}) {
                UnitRequest request = Request(type, user);
                request.interactWithDesktop = desktop;
                const UnitRegistration read = ParseUnitRegistration(ComposeUnit(request).text);
                EXPECT_EQ(read.startType, type);
                EXPECT_EQ(read.interactWithDesktop, desktop);
            }
        }
    }
}

TEST(ParseUnitRegistration, FollowsUnitFileRulesOfHandEditedUnits) {
    const UnitRegistration read = ParseUnitRegistration(
        "[Service]\n"
        "X-Quellix-StartType=manual\n"
        "[Unit]\r\n"
        "# X-Quellix-StartType=manual\n"
        "  X-Quellix-StartType = disabled \r\n"
        "X-Quellix-StartType=sometimes\n"
        "X-Quellix-InteractWithDesktop=ON\n"
        "X-Quellix-InteractWithDesktop=maybe\n"
        "[Install]\n"
        "X-Quellix-InteractWithDesktop=no\n");
    EXPECT_EQ(read.startType, ServiceStartType::Disabled);
    EXPECT_EQ(read.interactWithDesktop, true);

    const UnitRegistration none = ParseUnitRegistration("[Unit]\nDescription=Other\n");
    EXPECT_FALSE(none.startType);
    EXPECT_FALSE(none.interactWithDesktop);
    EXPECT_FALSE(ParseUnitRegistration("").startType);
}

}  // namespace
}  // namespace quellix
