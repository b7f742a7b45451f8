#pragma once

#include "shell/ProgramServices.h"

namespace varrow
{

class SettingsStore;

// The services of the real desktop program: browsers on WebEngine, the desktop's open-file
// dialog, the executable's own version information, the program directory beside the executable
// and the working directory chosen from it. Also makes the shipped start page the home page.
ProgramServices desktopServices(SettingsStore& settings);

} // namespace varrow
