#pragma once

#include "base/messageservice.h"

namespace dovra {

// For the headless program: every message becomes a "TITEL: tekst" line on stderr;
// questions take their default answer, dialogs are cancelled.
class StderrMessages : public MessageService
{
public:
    MessageAnswer message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons,
                          MessageAnswer defaultAnswer) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<ColourValue> chooseColour(ColourValue) override { return std::nullopt; }
    void setBusy(bool) override {}
    void clearBusy() override {}
};

} // namespace dovra
