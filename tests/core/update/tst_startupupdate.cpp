// The update check at start-up: what it tells and does for each offer.
#include "support/fakeupdates.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "update/startupupdate.h"

#include <gtest/gtest.h>

#include <optional>

using namespace dovra;
using test::FakeUpdates;

namespace {

TEST(StartupUpdateCheck, ActsOnTheOffer)
{
    const QString noConnection =
        QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is (tijdelijk) "
                       "niet beschikbaar. Controleer uw internetverbinding of proxy-instellingen.");
    const QString maintenance = QStringLiteral(
        "Er is een update opgeleverd, maar door onderhoudsactiviteiten op de server is deze "
        "tijdelijk niet beschikbaar. Probeert u het later nog eens. Excuses voor het ongemak.");
    const QString question =
        QStringLiteral("Er is een update beschikbaar.\nVersie 3.1 met nieuwe checklist.\n\nNu downloaden?");
    using Downloads = QList<std::pair<bool, bool>>;
    struct Case
    {
        const char* label;
        int checklistStatus;
        int programStatus;
        bool maintenance;
        std::optional<MessageAnswer> answer;
        StartupUpdateOutcome outcome;
        QString title; // of the one message, if any
        QString text;
        int closes;
        Downloads downloads;
    };
    const auto Continue = StartupUpdateOutcome::Continue;
    const auto Download = StartupUpdateOutcome::DownloadStarted;
    const QList<Case> cases = {
        {"nothing new", 0, 0, false, {}, Continue, {}, {}, 1, {}},
        {"nothing new despite maintenance", 0, 0, true, {}, Continue, {}, {}, 1, {}},
        {"no information on checklist",
         9,
         0,
         false,
         {},
         Continue,
         "Fout bij controle op updates",
         noConnection,
         1,
         {}},
        {"no information on program",
         0,
         9,
         false,
         {},
         Continue,
         "Fout bij controle op updates",
         noConnection,
         1,
         {}},
        {"server in maintenance", 1, 0, true, {}, Continue, "Update niet beschikbaar", maintenance, 1, {}},
        {"declined", 1, 0, false, MessageAnswer::No, Continue, "Updaten programma", question, 1, {}},
        {"checklist accepted", 1, 0, false, MessageAnswer::Yes, Download, "Updaten programma", question, 0,
         Downloads{{true, false}}},
        {"program accepted by default",
         0,
         1,
         false,
         {},
         Download,
         "Updaten programma",
         question,
         0,
         Downloads{{false, true}}},
        {"both accepted", 1, 1, false, MessageAnswer::Yes, Download, "Updaten programma", question, 0,
         Downloads{{true, true}}},
        {"one new despite missing information", 9, 1, false, MessageAnswer::Yes, Download,
         "Updaten programma", question, 0, Downloads{{false, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MessageRecorder recorder;
        if (c.answer)
            recorder.answerNext(*c.answer);
        FakeUpdates updates;
        updates.offer.checklistStatus = c.checklistStatus;
        updates.offer.programStatus = c.programStatus;
        updates.offer.serverInMaintenance = c.maintenance;
        updates.offer.information = QStringLiteral("Versie 3.1 met nieuwe checklist.");
        ProxyPreferences proxy;
        proxy.host = QStringLiteral("proxy");

        EXPECT_EQ(runStartupUpdateCheck(updates, proxy), c.outcome);
        EXPECT_EQ(updates.checks, 1);
        EXPECT_EQ(updates.askedWith.host, u"proxy");
        if (c.title.isEmpty()) {
            EXPECT_TRUE(recorder.recorded().isEmpty());
        } else {
            ASSERT_EQ(recorder.recorded().size(), 1);
            const MessageRecorder::Message& message = recorder.recorded()[0];
            EXPECT_EQ(message.title, c.title);
            EXPECT_EQ(message.text, c.text);
            EXPECT_EQ(message.buttons,
                      c.answer || c.outcome == Download ? MessageButtons::YesNo : MessageButtons::Ok);
        }
        EXPECT_EQ(updates.closes, c.closes);
        EXPECT_EQ(updates.downloads, c.downloads);
    }
}

} // namespace
