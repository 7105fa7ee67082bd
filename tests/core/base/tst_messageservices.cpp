// The shared report of unexpected errors, and the stderr message service of the headless program.
#include "base/stderrmessages.h"
#include "base/unexpectederror.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

using namespace dovra;

namespace {

TEST(UnexpectedError, ReportsNumberSourceAndSystemText)
{
    MessageRecorder recorder;
    recorder.setBusy(true);
    ReportUnexpectedError(errorFromSystem(std::make_error_code(std::errc::no_space_on_device)),
                          QStringLiteral("frmAlgemeen.Form_Unload"));
    EXPECT_EQ(recorder.busyDepth(), 0);
    EXPECT_EQ(
        recorder.texts(),
        (QStringList{
            QStringLiteral("Fout %1\nBron: frmAlgemeen.Form_Unload").arg(int(std::errc::no_space_on_device)),
            QStringLiteral("No space left on device")}));
    EXPECT_EQ(recorder.titles()[0], QStringLiteral("No space left on device"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);

    // A number the system has no text for gets no second message; an exception has number 0.
    recorder.clear();
    ReportUnexpectedError(errorFromSystem(std::error_code(98765, std::generic_category())));
    ReportUnexpectedError(errorFromException(std::runtime_error("index buiten bereik")),
                          QStringLiteral("clsAct"));
    EXPECT_EQ(recorder.texts(), (QStringList{QStringLiteral("Fout 98765\nBron: niet gespecificeerd"),
                                             QStringLiteral("Fout 0\nBron: clsAct")}));
    EXPECT_EQ(recorder.titles()[1], QStringLiteral("index buiten bereik"));
}

TEST(StderrMessages, QuestionsTakeTheirDefault)
{
    StderrMessages service;
    EXPECT_EQ(service.message(QStringLiteral("Nu downloaden?"), QStringLiteral("Updaten programma"),
                              MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No),
              MessageAnswer::No);
    EXPECT_EQ(service.message(QStringLiteral("Doorgaan?"), QStringLiteral("Vraag"), MessageIcon::Exclamation,
                              MessageButtons::OkCancel, MessageAnswer::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(service.inputBox(QStringLiteral("Naam"), QStringLiteral("Invoer"), QStringLiteral("standaard")),
              QStringLiteral("standaard"));
}

} // namespace
