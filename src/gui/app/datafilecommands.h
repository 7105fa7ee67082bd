#pragma once

#include <QString>

namespace dovra {

// The data file commands of the settings window and the Bestand menu: the user picks a file and it is
// linked (or made from the template and linked).

// The linked data file, or the configured one while none is linked (it was not found at start-up).
QString shownDataFile();
// Asks for an existing data file and links it.
void chooseAndLinkDataFile();
// Asks for the name of a new data file, makes it and links it.
void chooseAndCreateDataFile();

} // namespace dovra
