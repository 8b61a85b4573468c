#include "settings/ListedSettings.h"

#include "support/QStringPrinter.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

class TextItem : public CListedSettingsItem {
public:
    explicit TextItem(QString text) : m_text(std::move(text)) {}
    bool IsInvalid() const override { return m_text.endsWith(' '); }
    QString GetText() const override { return m_text; }

private:
    QString m_text;
};

CListedSettings ListOf(std::initializer_list<const char*> texts) {
    CListedSettings list;
    for (const char* text : texts)
        list.Append(std::make_unique<TextItem>(QString::fromUtf8(text)));
    return list;
}

QStringList TextsOf(const CListedSettings& list) {
    QStringList texts;
    for (const auto& item : list.GetItems())
        texts << item->GetText();
    return texts;
}

} // namespace

TEST(ListedSettings, FindsAndRemovesEmptyDuplicateAndInvalidItems) {
    CListedSettings list = ListOf({"温度", "", "圧力", "温度", "湿度 ", ""});
    EXPECT_TRUE(list.HasEmptyItem());
    list.RemoveEmptyItems();
    EXPECT_FALSE(list.HasEmptyItem());
    EXPECT_EQ(TextsOf(list), QStringList({"温度", "圧力", "温度", "湿度 "}));

    EXPECT_EQ(list.HasDuplicateItem(), QString("温度"));
    list.RemoveItemByText("温度");
    EXPECT_EQ(list.HasDuplicateItem(), std::nullopt);
    EXPECT_EQ(list.FindInvalidItem(), 1u);

    list.DeleteItemAt(1);
    list.DeleteItemAt(7);
    EXPECT_EQ(TextsOf(list), QStringList({"圧力"}));
    EXPECT_EQ(list.FindInvalidItem(), std::nullopt);
    list.DeleteAllItems();
    EXPECT_EQ(list.Count(), 0u);
}
