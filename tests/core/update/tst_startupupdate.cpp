// The update check at start-up: what it tells and does for each offer.
#include "support/fakeupdates.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "update/startupupdate.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

TEST(StartupUpdateCheck, ActsOnTheOffer)
{
    // The checklist's and the program's status (0: nothing new, 1: an update, 9: no information), m when the
    // server is in maintenance, n when the user declines (yes is the default)|the title of the one message,
    // if any|the downloads started: c the checklist, p the program. A started download keeps the window open.
    for (const char* c :
         {"00||", "00m||", "90|Fout bij controle op updates|", "09|Fout bij controle op updates|",
          "10m|Update niet beschikbaar|", "10n|Updaten programma|", "10|Updaten programma|c",
          "01|Updaten programma|p", "11|Updaten programma|cp", "91|Updaten programma|p"}) {
        SCOPED_TRACE(c);
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        MessageRecorder recorder;
        if (fields[0].contains(u'n'))
            recorder.answerNext(MessageAnswer::No);
        test::FakeUpdates updates;
        updates.offer = {fields[0].contains(u'm'), QStringLiteral("Versie 3.1 met nieuwe checklist."),
                         fields[0].left(1).toInt(), fields[0].mid(1, 1).toInt()};
        const ProxyPreferences proxy{0, QStringLiteral("proxy")};
        const bool download = !fields[2].isEmpty();
        EXPECT_EQ(runStartupUpdateCheck(updates, proxy),
                  download ? StartupUpdateOutcome::DownloadStarted : StartupUpdateOutcome::Continue);
        EXPECT_EQ(updates.askedWith.host, u"proxy");
        EXPECT_EQ(recorder.titles().join(u','), fields[1]);
        if (fields[1] == u"Updaten programma") {
            EXPECT_EQ(recorder.texts()[0],
                      u"Er is een update beschikbaar.\nVersie 3.1 met nieuwe checklist.\n\nNu downloaden?");
            EXPECT_EQ(recorder.recorded()[0].buttons, MessageButtons::YesNo);
        }
        EXPECT_EQ(updates.closes, download ? 0 : 1);
        QList<std::pair<bool, bool>> downloads;
        if (download)
            downloads.append({fields[2].contains(u'c'), fields[2].contains(u'p')});
        EXPECT_EQ(updates.downloads, downloads);
    }
}

} // namespace
