#pragma once

#include "base/messageservice.h"

namespace dovra {

// The message service of the windowed program: modal Qt dialogs with Dutch buttons.
class QtMessages : public MessageService
{
public:
    MessageAnswer message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons,
                          MessageAnswer defaultAnswer) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    std::optional<ColourValue> chooseColour(ColourValue initial) override;
    void setBusy(bool busy) override;
    void clearBusy() override;
};

// Turns "description|pattern|" pairs into a Qt file dialog filter.
QString toQtFilter(const QString& filter);

} // namespace dovra
