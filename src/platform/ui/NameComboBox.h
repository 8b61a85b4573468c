#pragma once

class QComboBox;

namespace platform {

// A drop-down list of names that come from a document, however long they are: the box is as wide as a few dozen
// characters, not as its longest name, so that its dialog opens within the screen; the list elides a longer name in
// the middle.
void LimitNameComboWidth(QComboBox& box);

} // namespace platform
