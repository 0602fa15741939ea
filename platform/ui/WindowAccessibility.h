#pragma once

namespace tavlo {

// Gives assistive technology a window role for every window of the program.
// Qt names a dialog a dialog, but a window built straight on QWidget (the
// main window) a mere client area, which screen readers show as a "filler"
// and do not announce as a window. Installed once, before the first window
// is shown; such windows then have the window role (a "frame" on the
// accessibility bus) and their caption as their name.
void installWindowAccessibility();

}  // namespace tavlo
