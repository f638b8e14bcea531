#include "core/service/service_events.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/config/ini_file.h"
#include "support/fake_service_host.h"

namespace quellix {
namespace {

using Entries = std::vector<std::pair<std::string, EventType>>;

class ServiceEventsTest : public ::testing::Test {
  protected:
    ServiceEventContext Context() {
        return {settings, config, service, [this] { ++starts; }};
    }

    Settings settings;
    MemoryConfigStore config{"[Purge]\nHeure=12:00\n"};
    test::FakeServiceHost service;
    int starts = 0;
};

TEST_F(ServiceEventsTest, StartReadsThePurgeTimeAgainFromTheFile) {
    settings.Heure = "12:00";
    settings.PurgeMinute = 720;
    config.Write("Purge", "Heure", " 7:30 ");
    EXPECT_TRUE(OnServiceStart(Context()));
    EXPECT_EQ(service.events,
              (Entries{{"Quellix Service: started. Purge at 7:30", EventType::Information}}));
    EXPECT_EQ(settings.Heure, "7:30");
    EXPECT_EQ(settings.PurgeMinute, 450);
    EXPECT_EQ(starts, 1);
}

TEST_F(ServiceEventsTest, InvalidPurgeTimeIsAnErrorEntryAndNoStart) {
    config.Write("Purge", "Heure", "25:00");
    EXPECT_FALSE(OnServiceStart(Context()));
    EXPECT_EQ(service.events,
              (Entries{{"Quellix Service: started. Invalid hour 25:00", EventType::Error}}));
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(config.Read("Purge", "Heure"), "25:00");
}

TEST_F(ServiceEventsTest, MissingPurgeTimeBecomesNoonAndIsWritten) {
    config.Delete("Purge", "Heure");
    settings.PurgeMinute = 5;
    EXPECT_TRUE(OnServiceStart(Context()));
    EXPECT_EQ(service.events,
              (Entries{{"Quellix Service: started. Purge at 12:00", EventType::Information}}));
    EXPECT_EQ(config.Read("Purge", "Heure"), "12:00");
    EXPECT_EQ(settings.PurgeMinute, 720);
    EXPECT_EQ(starts, 1);
}

// The start entry is French for any language value but 0; the others only for 1.
TEST_F(ServiceEventsTest, EachEntryFollowsItsOwnLanguageRule) {
    settings.Langue = 1;
    EXPECT_TRUE(OnServiceStart(Context()));
    OnServicePause(Context());
    OnServiceContinue(Context());
    OnServiceStop(Context());
    EXPECT_EQ(service.events,
              (Entries{{"Quellix Service: démarré. Heure de purge 12:00", EventType::Information},
                       {"Quellix Service: suspendu", EventType::Information},
                       {"Quellix Service: reprise", EventType::Information},
                       {"Quellix Service: arrêté", EventType::Information}}));

    service.events.clear();
    settings.Langue = 2;
    config.Write("Purge", "Heure", "99");
    EXPECT_FALSE(OnServiceStart(Context()));
    OnServicePause(Context());
    OnServiceContinue(Context());
    OnServiceStop(Context());
    EXPECT_EQ(service.events,
              (Entries{{"Quellix Service: démarré. Heure de purge invalide 99", EventType::Error},
                       {"Quellix Service: paused", EventType::Information},
                       {"Quellix Service: continued", EventType::Information},
                       {"Quellix Service: stopped", EventType::Information}}));
}

}  // namespace
}  // namespace quellix
