#pragma once

#include <gtk/gtk.h>

#include <string>

namespace velmora {

// Help > Keys: every key of the walk-through and of the window, and what it does.
void runKeysHelp(GtkWindow* parent);

// Where F12 saves the frame: velmora-YYYYMMDD-HHMMSS.png in the XDG Pictures folder (the home
// folder when there is none), created when missing.
std::string framePicturePath();

} // namespace velmora
