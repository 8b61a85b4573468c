#include "settings/SettingsSheetPageModel.h"

#include "model/DocumentData.h"
#include "model/StandardColours.h"
#include "platform/MessageBox.h"

#include <climits>
#include <iterator>

namespace {
constexpr int LastColour = static_cast<int>(std::size(kStandardColours)) - 1;
}

void CSettingsSheetPageModel::Load(const CDocumentData& data) {
    // The places give the fields for writing; loading only reads them.
    auto& document = const_cast<CDocumentData&>(data);
    m_loadedNumbers.clear();
    for (const SettingsNumberField& field : m_numberFields)
        m_loadedNumbers.push_back(field.get(data));
    m_numbers = m_loadedNumbers;
    m_texts.clear();
    for (const SettingsTextField& field : m_textFields)
        m_texts.push_back(field.place(document));
    m_fonts.clear();
    for (const SettingsFontField& field : m_fontFields)
        m_fonts.push_back(field.place(document));
}

void CSettingsSheetPageModel::SetNumberText(size_t index, const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    m_numbers[index] = ok ? value : INT_MIN;
}

void CSettingsSheetPageModel::SetText(size_t index, const QString& text) {
    m_texts[index] = text.left(m_textFields[index].maxLength);
}

QString SettingsLabel::Text(const CMessageContext& context) const {
    if (m_text != Msg::Id::Count)
        return Msg::Text(context, m_text);
    if (m_fixed != StringId::FirstUnnumbered)
        return LoadString(m_fixed);
    return m_made;
}

bool CSettingsSheetPageModel::Validate(const CMessageContext& context) const {
    for (size_t i = 0; i < m_numberFields.size(); ++i) {
        const SettingsNumberField& field = m_numberFields[i];
        if (field.kind != SettingsNumberKind::Number || m_numbers[i] == m_loadedNumbers[i])
            continue;
        if (m_numbers[i] < field.minimum || m_numbers[i] > field.maximum) {
            platform::ShowMessageBox(
                LoadString(StringId::SettingOutOfRange).arg(Title(context), field.label.Text(context)),
                platform::MessageButtons::Ok, platform::MessageIcon::Warning);
            return false;
        }
    }
    return true;
}

SettingsApplyResult CSettingsSheetPageModel::Apply(CDocumentData& data) const {
    SettingsApplyResult result;
    const auto changed = [&result](int bits) {
        result.changed = true;
        result.changeBits |= bits;
    };
    for (size_t i = 0; i < m_numberFields.size(); ++i) {
        const SettingsNumberField& field = m_numberFields[i];
        if (field.get(data) != m_numbers[i]) {
            field.set(data, m_numbers[i]);
            changed(field.changeBits);
        }
    }
    for (size_t i = 0; i < m_textFields.size(); ++i) {
        QString& stored = m_textFields[i].place(data);
        if (stored != m_texts[i]) {
            stored = m_texts[i];
            changed(m_textFields[i].changeBits);
        }
    }
    for (size_t i = 0; i < m_fontFields.size(); ++i) {
        FontSetting& stored = m_fontFields[i].place(data);
        if (!(stored == m_fonts[i])) {
            stored = m_fonts[i];
            changed(m_fontFields[i].changeBits);
        }
    }
    return result;
}

SettingsNumberField CSettingsSheetPageModel::ColourField(SettingsLabel label, int changeBits,
                                                         std::function<int(const CDocumentData&)> get,
                                                         std::function<void(CDocumentData&, int)> set) {
    return {std::move(label),
            SettingsNumberKind::Colour,
            0,
            LastColour,
            changeBits,
            std::move(get),
            std::move(set),
            {},
            {}};
}

SettingsNumberField CSettingsSheetPageModel::SwitchField(SettingsLabel label, int changeBits,
                                                         std::function<int(const CDocumentData&)> get,
                                                         std::function<void(CDocumentData&, int)> set) {
    return {std::move(label), SettingsNumberKind::Switch, 0, 1, changeBits, std::move(get), std::move(set), {}, {}};
}

SettingsNumberField CSettingsSheetPageModel::RangeField(SettingsLabel label, int minimum, int maximum, int changeBits,
                                                        std::function<int(const CDocumentData&)> get,
                                                        std::function<void(CDocumentData&, int)> set) {
    return {std::move(label),
            SettingsNumberKind::Number,
            minimum,
            maximum,
            changeBits,
            std::move(get),
            std::move(set),
            {},
            {}};
}

SettingsNumberField CSettingsSheetPageModel::ChoiceField(SettingsLabel label, int changeBits,
                                                         std::vector<SettingsLabel> labels, std::vector<int> values,
                                                         std::function<int(const CDocumentData&)> get,
                                                         std::function<void(CDocumentData&, int)> set) {
    return {std::move(label),  SettingsNumberKind::Choice, 0, 0, changeBits, std::move(get), std::move(set),
            std::move(labels), std::move(values)};
}
