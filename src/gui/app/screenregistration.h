#pragma once

namespace dovra {

// Every screen of the program holds one of these while it is loaded, shown or hidden, so that the
// main window can tell whether another screen is open before it opens one.
class ScreenRegistration
{
public:
    ScreenRegistration();
    ~ScreenRegistration();
    ScreenRegistration(const ScreenRegistration&) = delete;
    ScreenRegistration& operator=(const ScreenRegistration&) = delete;

    static int loadedScreens();
};

} // namespace dovra
