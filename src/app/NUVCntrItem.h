#pragma once

#include <QRect>
#include <QSize>

#include <optional>

class CNUVRichEditDoc;

// An object embedded in a content text. Objects can be neither inserted nor opened nor edited on this system:
// the document keeps their bytes as it read them, and the content view shows a placeholder in their place.
class CNUVCntrItem {
public:
    explicit CNUVCntrItem(CNUVRichEditDoc* document) : m_pDocument(document) {}

    CNUVRichEditDoc* GetDocument() const { return m_pDocument; }

    // The object's size in hundredths of a millimetre, when it is known.
    std::optional<QSize> m_extent;

    // Where the placeholder sits in a view with the given resolution (dots per inch): at (10, 10), as large as
    // the object, or 200 by 200 when its size is not known.
    QRect OnGetItemPosition(int dotsPerInchX, int dotsPerInchY) const;
    // The object changed: every view of its document shows it anew.
    void OnChange();

private:
    CNUVRichEditDoc* m_pDocument;
};
