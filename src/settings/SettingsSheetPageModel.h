#pragma once

#include "model/FontSetting.h"
#include "settings/SettingsSheet.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <type_traits>
#include <vector>

class CDocumentData;
struct CMessageContext;

// What a page or one of its fields is called: a UI text built in the interface language, a fixed text of the string
// table, or a text made from a number.
class SettingsLabel {
public:
    SettingsLabel(Msg::Id text) : m_text(text) {}
    SettingsLabel(StringId fixed) : m_fixed(fixed) {}
    SettingsLabel(QString made) : m_made(std::move(made)) {}

    QString Text(const CMessageContext& context) const;
    bool operator==(const SettingsLabel&) const = default;

private:
    Msg::Id m_text = Msg::Id::Count;
    StringId m_fixed = StringId::FirstUnnumbered;
    QString m_made;
};

// How a number of a settings page is edited.
enum class SettingsNumberKind {
    Number, // typed; refused when outside its range
    Switch, // 0 or 1
    Choice, // one of the choice values, shown by their labels
    Colour, // one of the sixteen colours, by number
};

// One number a settings page edits: where it lives in the document, and what a change of it means.
struct SettingsNumberField {
    SettingsLabel label;
    SettingsNumberKind kind = SettingsNumberKind::Number;
    int minimum = 0;
    int maximum = 0;
    int changeBits = 0;
    std::function<int(const CDocumentData&)> get;
    std::function<void(CDocumentData&, int)> set;
    std::vector<SettingsLabel> choiceLabels;
    std::vector<int> choiceValues;
};

// One text of a settings page, cut to its length when typed.
struct SettingsTextField {
    SettingsLabel label;
    int maxLength = 0;
    int changeBits = 0;
    std::function<QString&(CDocumentData&)> place;
};

struct SettingsFontField {
    SettingsLabel label;
    int changeBits = 0;
    std::function<FontSetting&(CDocumentData&)> place;
};

// The reading and the writing of a number of the record, as two arguments: `NUV_SETTING(headerIOSettings.Input)`.
#define NUV_SETTING(path)                                                                                              \
    [](const CDocumentData& d) { return static_cast<int>(d.path); },                                                   \
        [](CDocumentData& d, int v) { d.path = static_cast<std::remove_cvref_t<decltype(d.path)>>(v); }
// The place of a text or font of the record: `NUV_SETTING_PLACE(fonts.ExplanationFont)`.
#define NUV_SETTING_PLACE(path)                                                                                        \
    [](CDocumentData & d) -> auto& {                                                                                   \
        return d.path;                                                                                                 \
    }

// The rules of a settings page without its widgets: its fields as loaded from the document and as edited, the
// refusal of a number outside its range, and the storing of what changed with the change bits it means.
class CSettingsSheetPageModel {
public:
    virtual ~CSettingsSheetPageModel() = default;

    QString Title(const CMessageContext& context) const { return m_title.Text(context); }

    const std::vector<SettingsNumberField>& NumberFields() const { return m_numberFields; }
    const std::vector<SettingsTextField>& TextFields() const { return m_textFields; }
    const std::vector<SettingsFontField>& FontFields() const { return m_fontFields; }

    int Number(size_t index) const { return m_numbers[index]; }
    void SetNumber(size_t index, int value) { m_numbers[index] = value; }
    // A text that cannot be read as a number is kept as a value no range holds.
    void SetNumberText(size_t index, const QString& text);
    const QString& Text(size_t index) const { return m_texts[index]; }
    // Cut to the field's length.
    void SetText(size_t index, const QString& text);
    const FontSetting& Font(size_t index) const { return m_fonts[index]; }
    void SetFont(size_t index, const FontSetting& font) { m_fonts[index] = font; }

    // Shows the first refusal ("「page」ページの「field」の数値が範囲外です。"); false when there is one. A number the
    // document held out of range and the user left alone is kept, not refused.
    virtual bool Validate(const CMessageContext& context) const;
    // Stores the fields that differ from the document; what they mean, as change bits.
    virtual SettingsApplyResult Apply(CDocumentData& data) const;

protected:
    explicit CSettingsSheetPageModel(SettingsLabel title) : m_title(std::move(title)) {}

    void AddNumber(SettingsNumberField field) { m_numberFields.push_back(std::move(field)); }
    void AddText(SettingsTextField field) { m_textFields.push_back(std::move(field)); }
    void AddFont(SettingsFontField field) { m_fontFields.push_back(std::move(field)); }
    // The sixteen colours by their numbers.
    static SettingsNumberField ColourField(SettingsLabel label, int changeBits,
                                           std::function<int(const CDocumentData&)> get,
                                           std::function<void(CDocumentData&, int)> set);
    static SettingsNumberField SwitchField(SettingsLabel label, int changeBits,
                                           std::function<int(const CDocumentData&)> get,
                                           std::function<void(CDocumentData&, int)> set);
    static SettingsNumberField ChoiceField(SettingsLabel label, int changeBits, std::vector<SettingsLabel> labels,
                                           std::vector<int> values, std::function<int(const CDocumentData&)> get,
                                           std::function<void(CDocumentData&, int)> set);
    static SettingsNumberField RangeField(SettingsLabel label, int minimum, int maximum, int changeBits,
                                          std::function<int(const CDocumentData&)> get,
                                          std::function<void(CDocumentData&, int)> set);
    // Takes the fields' values from the document; the derived page calls it once its fields are added.
    void Load(const CDocumentData& data);

private:
    SettingsLabel m_title;
    std::vector<SettingsNumberField> m_numberFields;
    std::vector<SettingsTextField> m_textFields;
    std::vector<SettingsFontField> m_fontFields;
    std::vector<int> m_loadedNumbers;
    std::vector<int> m_numbers;
    std::vector<QString> m_texts;
    std::vector<FontSetting> m_fonts;
};
