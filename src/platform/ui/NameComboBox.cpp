#include "platform/ui/NameComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace platform {

void LimitNameComboWidth(QComboBox& box) {
    constexpr int kShownCharacters = 40;
    box.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box.setMinimumContentsLength(kShownCharacters);
    box.view()->setTextElideMode(Qt::ElideMiddle);
}

} // namespace platform
