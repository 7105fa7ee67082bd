#pragma once

#include "app/appstate.h"
#include "app/screenregistration.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace dovra::test {

// The child of parent with that object name; a test failure when there is none.
template <typename T = QWidget> T* child(const QObject* parent, const char* name)
{
    T* found = parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        ADD_FAILURE() << "no " << name;
    return found;
}

// The settings as the program stored them.
inline Settings storedSettings()
{
    return Settings(appState().version().settingsSection(), QStringLiteral("<standaard>"));
}

// The focus leaves the widget by the Tab key, as when the user is done with it.
inline void leave(QWidget* widget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

// Types text into the box with key events, over what it held, and leaves it.
inline void enter(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    leave(box);
}

// The program's windows on a program folder of their own, its files in their workspace, every message
// recorded. Afterwards every window of the program is gone and no screen may be left loaded.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest()
    {
        appState().configure(folder.paths());
        folder.useWorkspace(appState().workspace());
    }

    void TearDown() override
    {
        QList<QPointer<QWidget>> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (QLatin1String(widget->metaObject()->className()).startsWith(QLatin1String("dovra::")))
                windows.append(widget);
        for (const QPointer<QWidget>& window : windows)
            delete window.data();
        deletePending();
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    }

    ProgramFolder folder;
    MessageRecorder recorder;
};

} // namespace dovra::test
