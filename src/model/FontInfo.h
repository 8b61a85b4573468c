#pragma once

#include "model/FontSetting.h"

#include <QString>
#include <QStringList>

// The font faces installed on the system, as the application found them at start-up, and the face a new
// font setting takes from them. Chosen once, when the faces are known: the table does not change afterwards.
class CFontInfo {
public:
    explicit CFontInfo(const QStringList& faces = {});

    const QStringList& Faces() const { return m_faces; }
    int FindFaceIndex(const QString& faceName) const;
    // The first installed of the faces the program prefers, else "Times New Roman".
    const QString& GetDefaultUIFontName() const { return m_defaultFont.faceName; }
    // A new font setting: the default face and attributes.
    const FontSetting& DefaultFont() const { return m_defaultFont; }
    // The face a font of `faceName` is shown with: the face itself when installed, else the default face.
    const QString& ResolveFaceName(const QString& faceName) const;

private:
    QStringList m_faces;
    FontSetting m_defaultFont;
};
