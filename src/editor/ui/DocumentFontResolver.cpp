#include "editor/ui/DocumentFontResolver.h"

#include "model/FontSetting.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace {

bool NamesJapaneseFace(const QString& face) {
    for (QChar c : face) {
        const QChar::Script script = c.script();
        if (script == QChar::Script_Han || script == QChar::Script_Hiragana || script == QChar::Script_Katakana ||
            (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF)) // full-width forms, as in "ＭＳ ゴシック"
            return true;
    }
    return false;
}

} // namespace

QString ResolveInstalledFamily(const QString& face, bool japaneseDocument) {
    const QStringList installed = QFontDatabase::families();
    if (!face.isEmpty() && installed.contains(face, Qt::CaseInsensitive))
        return face;
    if (japaneseDocument || NamesJapaneseFace(face)) {
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        // A family made for Japanese before one that merely covers it.
        for (const QString& family : japanese) {
            if (family.contains(QStringLiteral("JP")) || family.contains(QStringLiteral("Gothic")))
                return family;
        }
        if (!japanese.isEmpty())
            return japanese.first();
    }
    return QGuiApplication::font().family();
}

QFont MakeDocumentFont(const FontSetting& setting, bool japaneseDocument) {
    QFont font(ResolveInstalledFamily(setting.faceName, japaneseDocument));
    font.setPointSizeF(setting.pointSize > 0 ? setting.pointSize / 10.0 : QGuiApplication::font().pointSizeF());
    font.setBold(setting.bold != 0);
    font.setItalic(setting.italic != 0);
    font.setUnderline(setting.underline != 0);
    return font;
}
