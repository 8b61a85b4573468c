#include "app/NUVCntrItem.h"

#include "app/NUVRichEditDoc.h"

#include <cmath>

namespace {

constexpr int kItemOffset = 10;
constexpr int kUnknownItemSize = 200;
constexpr double kHimetricPerInch = 2540.0;

int ToLogical(int himetric, int dotsPerInch) {
    return static_cast<int>(std::lround(himetric * static_cast<double>(dotsPerInch) / kHimetricPerInch));
}

} // namespace

QRect CNUVCntrItem::OnGetItemPosition(int dotsPerInchX, int dotsPerInchY) const {
    if (!m_extent || dotsPerInchX <= 0 || dotsPerInchY <= 0)
        return QRect(kItemOffset, kItemOffset, kUnknownItemSize, kUnknownItemSize);
    return QRect(kItemOffset, kItemOffset, ToLogical(m_extent->width(), dotsPerInchX),
                 ToLogical(m_extent->height(), dotsPerInchY));
}

void CNUVCntrItem::OnChange() {
    if (m_pDocument)
        m_pDocument->UpdateAllViews();
}
