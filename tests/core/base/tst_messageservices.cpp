// The message services (the recorder of the tests, the stderr form) and the shared report of unexpected
// errors.
#include "base/stderrmessages.h"
#include "base/unexpectederror.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <system_error>

using namespace dovra;

namespace {

TEST(UnexpectedErrorTest, ReportsNumberSourceAndSystemText)
{
    MessageRecorder recorder;
    recorder.setBusy(true);
    ReportUnexpectedError(errorFromSystem(std::make_error_code(std::errc::no_space_on_device)),
                          QStringLiteral("frmAlgemeen.Form_Unload"));
    EXPECT_EQ(recorder.busyDepth(), 0);
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("Fout %1\nBron: frmAlgemeen.Form_Unload").arg(int(std::errc::no_space_on_device)));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("No space left on device"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(recorder.recorded()[1].title, QStringLiteral("OLE-automation error specificatie"));
    EXPECT_EQ(recorder.recorded()[1].text, QStringLiteral("No space left on device"));
}

TEST(UnexpectedErrorTest, WithoutSourceOrSystemText)
{
    MessageRecorder recorder;
    // A number the system has no text for gets no second message.
    ReportUnexpectedError(errorFromSystem(std::error_code(98765, std::generic_category())));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Fout 98765\nBron: niet gespecificeerd"));

    recorder.clear();
    ReportUnexpectedError(errorFromException(std::runtime_error("index buiten bereik")),
                          QStringLiteral("clsAct"));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("index buiten bereik"));
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Fout 0\nBron: clsAct"));
}

TEST(MessageRecorderTest, AnswersFromTheScriptThenDefaults)
{
    MessageRecorder recorder;
    recorder.answerNext(MessageAnswer::No);
    EXPECT_EQ(messages().message(QStringLiteral("a"), QStringLiteral("t"), MessageIcon::Question,
                                 MessageButtons::YesNo, MessageAnswer::Yes),
              MessageAnswer::No);
    EXPECT_EQ(messages().message(QStringLiteral("b"), QStringLiteral("t"), MessageIcon::Question,
                                 MessageButtons::YesNo, MessageAnswer::Yes),
              MessageAnswer::Yes);
    EXPECT_TRUE(messages().confirmOk(QStringLiteral("c"), QStringLiteral("t"), MessageIcon::Exclamation));
    EXPECT_EQ(messages().openFileName({}), QString());
    EXPECT_EQ(recorder.texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST(MessageRecorderTest, RestoresThePreviousService)
{
    MessageService* outer = &messages();
    {
        MessageRecorder recorder;
        EXPECT_EQ(&messages(), &recorder);
    }
    EXPECT_EQ(&messages(), outer);
}

TEST(StderrMessagesTest, QuestionsTakeTheirDefault)
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
