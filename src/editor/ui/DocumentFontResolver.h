#pragma once

#include <QFont>
#include <QString>

struct FontSetting;

// The faces a document names may be missing here (documents come from desktops with other fonts). A missing
// face is shown in an installed face of the same script: one for Japanese when the name or the document is
// Japanese, else the default family. The document keeps the names it had.
QString ResolveInstalledFamily(const QString& face, bool japaneseDocument);
// The font of a document font setting (tenths of a point, effects), in an installed family.
QFont MakeDocumentFont(const FontSetting& setting, bool japaneseDocument);
