#pragma once

class QApplication;

namespace platform {

// Tab (or Shift+Tab) into a group of radio buttons lands on its checked button, as on every desktop, and the next Tab
// leaves the group; the arrow keys move within it. Installed once on the application, it serves every window.
void InstallRadioGroupTabStops(QApplication& application);

} // namespace platform
