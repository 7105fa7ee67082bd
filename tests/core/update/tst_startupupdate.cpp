// The update check at start-up: what it tells and does for each offer.
#include "support/fakeupdates.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "update/startupupdate.h"

#include <gtest/gtest.h>

#include <optional>

using namespace dovra;

namespace {

TEST(StartupUpdateCheck, ActsOnTheOffer)
{
    const QString failed = QStringLiteral("Fout bij controle op updates");
    const QString question = QStringLiteral("Updaten programma");
    const auto No = std::optional(MessageAnswer::No);
    const auto Yes = std::optional(MessageAnswer::Yes);
    // Status 0: nothing new, 1: an update, 9: no information. An accepted offer starts its downloads and
    // keeps the window open for them.
    const struct
    {
        int checklistStatus;
        int programStatus;
        bool maintenance;
        std::optional<MessageAnswer> answer; // none: the default, yes
        QString title;                       // of the one message, if any
        QList<std::pair<bool, bool>> downloads;
    } cases[] = {
        {0, 0, false, {}, {}, {}},
        {0, 0, true, {}, {}, {}},
        {9, 0, false, {}, failed, {}},
        {0, 9, false, {}, failed, {}},
        {1, 0, true, {}, QStringLiteral("Update niet beschikbaar"), {}},
        {1, 0, false, No, question, {}},
        {1, 0, false, Yes, question, {{true, false}}},
        {0, 1, false, {}, question, {{false, true}}},
        {1, 1, false, Yes, question, {{true, true}}},
        {9, 1, false, Yes, question, {{false, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.checklistStatus << c.programStatus << c.maintenance);
        MessageRecorder recorder;
        if (c.answer)
            recorder.answerNext(*c.answer);
        test::FakeUpdates updates;
        updates.offer.checklistStatus = c.checklistStatus;
        updates.offer.programStatus = c.programStatus;
        updates.offer.serverInMaintenance = c.maintenance;
        updates.offer.information = QStringLiteral("Versie 3.1 met nieuwe checklist.");
        ProxyPreferences proxy;
        proxy.host = QStringLiteral("proxy");

        const bool download = !c.downloads.isEmpty();
        EXPECT_EQ(runStartupUpdateCheck(updates, proxy),
                  download ? StartupUpdateOutcome::DownloadStarted : StartupUpdateOutcome::Continue);
        EXPECT_EQ(updates.askedWith.host, u"proxy");
        EXPECT_EQ(recorder.titles(), c.title.isEmpty() ? QStringList() : QStringList{c.title});
        if (c.title == question) {
            EXPECT_EQ(recorder.texts()[0],
                      QStringLiteral("Er is een update beschikbaar.\nVersie 3.1 met nieuwe "
                                     "checklist.\n\nNu downloaden?"));
            EXPECT_EQ(recorder.recorded()[0].buttons, MessageButtons::YesNo);
        }
        EXPECT_EQ(updates.closes, download ? 0 : 1);
        EXPECT_EQ(updates.downloads, c.downloads);
    }
}

} // namespace
