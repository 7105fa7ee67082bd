#include "app/screenregistration.h"

namespace dovra {

namespace {
int screenCount = 0;
}

ScreenRegistration::ScreenRegistration()
{
    ++screenCount;
}

ScreenRegistration::~ScreenRegistration()
{
    --screenCount;
}

int ScreenRegistration::loadedScreens()
{
    return screenCount;
}

} // namespace dovra
