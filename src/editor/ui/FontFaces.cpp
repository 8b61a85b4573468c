#include "editor/ui/FontFaces.h"

#include "editor/TextZoom.h"

#include <QColor>
#include <QFontDatabase>
#include <QHash>

#include <algorithm>

namespace {

bool HasJapaneseCharacters(const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Faces of Japanese systems that carry Latin names.
bool IsJapaneseFaceName(const QString& face) {
    static const QStringList latinNamed = {QStringLiteral("MS Gothic"),    QStringLiteral("MS PGothic"),
                                           QStringLiteral("MS Mincho"),    QStringLiteral("MS PMincho"),
                                           QStringLiteral("MS UI Gothic"), QStringLiteral("Meiryo"),
                                           QStringLiteral("Yu Gothic"),    QStringLiteral("Yu Mincho")};
    return HasJapaneseCharacters(face) || latinNamed.contains(face, Qt::CaseInsensitive);
}

QString InstalledFaceOf(QFontDatabase::WritingSystem system) {
    const QStringList families = QFontDatabase::families(system);
    return families.isEmpty() ? QString() : families.front();
}

} // namespace

QStringList FontFamiliesFor(const QString& face) {
    static QHash<QString, QStringList> resolved;
    const auto found = resolved.constFind(face);
    if (found != resolved.constEnd())
        return *found;
    QStringList families{face};
    if (!face.isEmpty() && !QFontDatabase::hasFamily(face)) {
        const QString fallback =
            InstalledFaceOf(IsJapaneseFaceName(face) ? QFontDatabase::Japanese : QFontDatabase::Latin);
        if (!fallback.isEmpty())
            families.append(fallback);
    }
    // Japanese text in a Latin face still needs a face that has its characters.
    const QString japanese = InstalledFaceOf(QFontDatabase::Japanese);
    if (!japanese.isEmpty() && !families.contains(japanese))
        families.append(japanese);
    resolved.insert(face, families);
    return families;
}

QString DrawnFamilyOf(const QString& face) {
    for (const QString& family : FontFamiliesFor(face)) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return face;
}

QTextCharFormat CharFormatOf(const FontSetting& font, double zoom) {
    QTextCharFormat format;
    format.setFontFamilies(FontFamiliesFor(font.faceName));
    if (font.pointSize > 0)
        format.setFontPointSize(std::max(0.05, ZoomedPointSize(font.pointSize, zoom)));
    format.setForeground(QColor(font.colour & 0xFF, (font.colour >> 8) & 0xFF, (font.colour >> 16) & 0xFF));
    format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic != 0);
    format.setFontUnderline(font.underline != 0);
    return format;
}
