#pragma once

#include "model/FontSetting.h"

// The document's display fonts, in their stored order. The column font of the input and output columns is
// kept with the output view; the other five travel in the "FontInfo" element.
struct DocumentFonts {
    FontSetting columnFont;
    FontSetting AuVerbFont1;
    FontSetting AuVerbFont2;
    FontSetting StructureDiagramFont;
    FontSetting ExplanationFont;
    FontSetting LogicFont;

    bool operator==(const DocumentFonts&) const = default;
};
