// dovra: the windowed program.
#include "app/instancelock.h"
#include "app/startup.h"
#include "base/qttranslations.h"
#include "widgets/qtmessages.h"
#include "widgets/screenfit.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DOVRA"));
    dovra::installDutchQtTranslations(app);
    app.installEventFilter(new dovra::ScreenFit(&app));
    dovra::QtMessages qtMessages;
    dovra::setMessageService(&qtMessages);

    dovra::StartupEnvironment environment;
    environment.paths = dovra::ProgramPaths::detect();
    environment.instanceLockPath = dovra::InstanceLock::defaultPath();
    dovra::Startup startup(environment);
    const dovra::StartupResult result = startup.Main();
    if (result == dovra::StartupResult::Ended || result == dovra::StartupResult::Downloading)
        return 0;
    return app.exec();
}
