#include "model/RecentFontFaces.h"

QStringList& CRecentFontFaces::Faces() {
    static QStringList faces;
    return faces;
}
