#pragma once

#include "app/appstate.h"
#include "support/testfiles.h"

namespace dovra::test {

// A program folder whose files are used in the windows' workspace.
class GuiProgramFolder : public ProgramFolder
{
public:
    GuiProgramFolder()
    {
        appState().configure(paths());
        useWorkspace(appState().workspace());
    }
};

} // namespace dovra::test
