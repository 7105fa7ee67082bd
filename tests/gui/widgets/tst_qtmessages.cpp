// The dialogs Qt draws for the program (the input box, the file dialogs) read in Dutch: Qt's own texts come
// from its Dutch translations, loaded as the programs load them.
#include "widgets/qtmessages.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// The captions of the buttons and labels of the modal dialog that opens next, which is then cancelled.
QStringList captionsOfTheNextDialog(const std::function<void()>& open)
{
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        for (const QPushButton* button : dialog->findChildren<QPushButton*>())
            captions.append(button->text());
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            captions.append(label->text());
        if (auto* shown = qobject_cast<QDialog*>(dialog))
            shown->reject();
    });
    open();
    return captions;
}

TEST(QtMessagesTest, QtsOwnTextsAreDutch)
{
    QtMessages messages;
    const QStringList input = captionsOfTheNextDialog([&messages] {
        EXPECT_EQ(
            messages.inputBox(QStringLiteral("Naam"), QStringLiteral("Importeren"), QStringLiteral("x")),
            QString());
    });
    EXPECT_TRUE(input.contains(QStringLiteral("OK")) && input.contains(QStringLiteral("Annuleren")))
        << input.join(u'|').toStdString();

    const QStringList save = captionsOfTheNextDialog([&messages] {
        messages.saveFileName({QStringLiteral("Opslaan rapport"), QStringLiteral("PDF bestanden|*.pdf|"),
                               QDir::tempPath(), false, true});
    });
    for (const char* caption : {"Zoeken in:", "Bestands&naam:", "Annuleren"})
        EXPECT_TRUE(save.contains(QString::fromUtf8(caption)))
            << caption << ": " << save.join(u'|').toStdString();
}

} // namespace
