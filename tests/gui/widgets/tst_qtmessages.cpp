// The dialogs Qt draws for the program read in Dutch: Qt's own texts come from its Dutch translations, loaded
// as the programs load them.
#include "widgets/qtmessages.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

TEST(QtMessagesTest, QtsOwnTextsAreDutch)
{
    QtMessages messages;
    QStringList captions; // of the buttons and labels of each dialog, which is then cancelled
    const auto readAndCancel = [&captions] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        for (const QPushButton* button :
             dialog ? dialog->findChildren<QPushButton*>() : QList<QPushButton*>())
            captions.append(button->text());
        for (const QLabel* label : dialog ? dialog->findChildren<QLabel*>() : QList<QLabel*>())
            captions.append(label->text());
        if (dialog)
            dialog->reject();
    };
    QTimer::singleShot(0, readAndCancel);
    EXPECT_EQ(messages.inputBox(QStringLiteral("Naam"), QStringLiteral("Importeren"), QStringLiteral("x")),
              u"");
    QTimer::singleShot(0, readAndCancel);
    messages.saveFileName(
        {QStringLiteral("Opslaan"), QStringLiteral("PDF bestanden|*.pdf|"), {}, false, true});
    for (const char* caption : {"OK", "Annuleren", "Zoeken in:", "Bestands&naam:"})
        EXPECT_TRUE(captions.contains(QLatin1String(caption)))
            << caption << ": " << captions.join(u'|').toStdString();
}

// A name typed without an extension gets the one of the filter; a name with one keeps it.
TEST(QtMessagesTest, SavedNamesGetTheFiltersExtension)
{
    QTemporaryDir dir;
    for (const QString typed : {"rapport", "rapport.docx"}) {
        QTimer::singleShot(0, [typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's own button does
        });
        const QString path =
            QtMessages().saveFileName({"Opslaan", "PDF bestanden (*.pdf)|*.pdf|", dir.path()});
        EXPECT_EQ(QFileInfo(path).fileName(), typed.contains(u'.') ? typed : typed + ".pdf");
    }
}

} // namespace
