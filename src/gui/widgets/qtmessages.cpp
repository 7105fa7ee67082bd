#include "widgets/qtmessages.h"

#include "widgets/colours.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace dovra {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

// The extension of the filter's first pattern ("*.pdf" gives "pdf"), none when it holds a wildcard.
QString firstExtension(const QString& filter)
{
    const QList<FilterEntry> entries = parseFilter(filter);
    const QString suffix =
        entries.isEmpty() ? QString() : entries.first().pattern.section(u';', 0, 0).section(u'.', -1);
    return suffix.contains(u'*') || suffix.contains(u'?') || suffix == entries.value(0).pattern ? QString()
                                                                                                : suffix;
}

} // namespace

MessageAnswer QtMessages::message(const QString& text, const QString& title, MessageIcon icon,
                                  MessageButtons buttons, MessageAnswer defaultAnswer)
{
    QMessageBox box(toQtIcon(icon), title.isEmpty() ? applicationTitle() : title, text, QMessageBox::NoButton,
                    dialogParent());
    struct Choice
    {
        QString caption;
        QMessageBox::ButtonRole role;
        MessageAnswer answer;
    };
    QList<Choice> choices;
    switch (buttons) {
    case MessageButtons::Ok:
        choices = {{QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok}};
        break;
    case MessageButtons::OkCancel:
        choices = {{QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok},
                   {QStringLiteral("Annuleren"), QMessageBox::RejectRole, MessageAnswer::Cancel}};
        break;
    case MessageButtons::YesNo:
        choices = {{QStringLiteral("&Ja"), QMessageBox::YesRole, MessageAnswer::Yes},
                   {QStringLiteral("&Nee"), QMessageBox::NoRole, MessageAnswer::No}};
        break;
    case MessageButtons::RetryDiscard:
        choices = {
            {QStringLiteral("&Opnieuw proberen"), QMessageBox::AcceptRole, MessageAnswer::Retry},
            {QStringLiteral("Wijziging &vervallen"), QMessageBox::DestructiveRole, MessageAnswer::Discard}};
        break;
    }
    QHash<QAbstractButton*, MessageAnswer> answers;
    for (const Choice& choice : std::as_const(choices)) {
        QPushButton* button = box.addButton(choice.caption, choice.role);
        answers.insert(button, choice.answer);
        if (choice.answer == defaultAnswer)
            box.setDefaultButton(button);
    }
    // Escape gives the cancelling answer, or OK when there is only one button.
    box.setEscapeButton(box.buttons().constLast());
    const bool wasBusy = QApplication::overrideCursor() != nullptr;
    if (wasBusy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (wasBusy)
        QApplication::restoreOverrideCursor();
    return answers.value(box.clickedButton(), choices.constLast().answer);
}

QString QtMessages::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(dialogParent(), title.isEmpty() ? applicationTitle() : title,
                                               prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

QString toQtFilter(const QString& filter)
{
    // Qt takes the patterns from the description's last bracketed part, and the descriptions already end
    // in one ("PDF bestanden (*.pdf)"): that part is replaced by the real patterns, so that each reads once.
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList entries;
    for (const FilterEntry& entry : parseFilter(filter)) {
        QString description = entry.description;
        description.remove(shownPatterns);
        entries.append(description + QStringLiteral(" (") +
                       entry.pattern.split(QLatin1Char(';')).join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtMessages::openFileName(const FileDialogRequest& request)
{
    QFileDialog dialog(dialogParent(), request.title, request.proposed, toQtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtMessages::saveFileName(const FileDialogRequest& request)
{
    QFileDialog dialog(dialogParent(), request.title, request.proposed, toQtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without an extension gets the chosen output's, before the overwrite question.
    dialog.setDefaultSuffix(firstExtension(request.filter));
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<ColourValue> QtMessages::chooseColour(ColourValue initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

void QtMessages::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtMessages::clearBusy()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace dovra
