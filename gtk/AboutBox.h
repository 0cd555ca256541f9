#pragma once

#include "platform/Host.h"

#include <gtk/gtk.h>

namespace velmora {

// The About box: caption "About  Quarnel", the 640 x 350 picture (bitmap 20) and a default OK
// button. OK, Esc and the close box close it. Runs modally over parent.
void runAboutBox(const platform::Host& host, GtkWindow* parent);

// A picture of the host's resources as a pixbuf (bitmaps and icons); null when missing.
GdkPixbuf* pixbufOfResource(const platform::Host& host, bool icon, int number);

} // namespace velmora
