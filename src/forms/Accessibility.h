#pragma once

// What screen readers are told of the windowing layer's own pieces: a window is a frame or a
// dialog (not a bare panel), and a menu item's name is its caption without the marks of its
// access keys (a caption may mark more than one letter).
#include <QString>

namespace forms {

// Installs it, once for the program.
void installAccessibility();

// A caption as read: every access-key mark taken out, a doubled one kept as one.
QString spokenCaption(QString caption);

}  // namespace forms
