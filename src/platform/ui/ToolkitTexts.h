#pragma once

class QCoreApplication;

namespace platform {

// The toolkit's own texts (the standard buttons of message boxes, the file dialogs) in Japanese, for an interface in
// Japanese: a message that asks for 「キャンセル」 then finds a button of that name. False when the toolkit's
// translation is not installed; the texts stay English then.
bool InstallJapaneseToolkitTexts(QCoreApplication& application);

} // namespace platform
