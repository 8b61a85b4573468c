#pragma once

namespace platform {

// True when there is no display to show windows on: neither DISPLAY nor WAYLAND_DISPLAY is set, or the
// offscreen platform was chosen explicitly.
bool IsHeadless();

// Called before the QApplication exists. Without a display it selects Qt's offscreen platform; the caller
// then installs no dialog sink, so every message goes to standard error and takes its default button.
// Returns IsHeadless().
bool PrepareDisplay();

} // namespace platform
