#pragma once

class QCoreApplication;

namespace dovra {

// Qt's own texts (file dialogs, the context menus of text fields, the XML parser's messages) in Dutch, like
// the program's. Call once, before the first window or message. False when Qt's Dutch translation file is
// missing: Qt's texts then stay English.
bool installDutchQtTranslations(QCoreApplication& application);

} // namespace dovra
