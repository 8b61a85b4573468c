#include "platform/ui/PropertySheet.h"

#include <QListWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A page that refuses to be left while `valid` is false and records its applies.
class TestPage : public CPropertyPage {
public:
    TestPage(const QString& title, int bits) : CPropertyPage(title), m_bits(bits) {}
    bool Validate() override { return valid; }
    void Apply() override {
        ++applied;
        AddChangeBits(m_bits);
    }
    bool valid = true;
    int applied = 0;

private:
    int m_bits;
};

struct Sheet {
    explicit Sheet(int& remembered) : sheet("Settings", remembered) {
        for (int index = 0; index < 3; ++index) {
            pages[index] = new TestPage(QString("Page %1").arg(index), 1 << index);
            sheet.AddPage(pages[index]);
        }
    }
    CPropertySheet sheet;
    TestPage* pages[3];
};

} // namespace

TEST(PropertySheet, OpensOnTheRememberedPageAndRemembersTheLastAfterOkAndCancel) {
    int remembered = 2;
    Sheet first(remembered);
    int shownFirst = -1;
    QTimer::singleShot(0, &first.sheet, [&] {
        shownFirst = first.sheet.ActivePageIndex();
        first.sheet.NavigationList()->setCurrentRow(1);
        first.sheet.reject();
    });
    EXPECT_EQ(first.sheet.exec(), QDialog::Rejected);
    EXPECT_EQ(shownFirst, 2);
    EXPECT_EQ(remembered, 1);
    EXPECT_EQ(first.pages[0]->applied + first.pages[1]->applied + first.pages[2]->applied, 0);

    Sheet second(remembered);
    QTimer::singleShot(0, &second.sheet, [&] {
        EXPECT_EQ(second.sheet.ActivePageIndex(), 1);
        second.sheet.SetActivePage(0);
        second.sheet.accept();
    });
    EXPECT_EQ(second.sheet.exec(), QDialog::Accepted);
    EXPECT_EQ(remembered, 0);
    EXPECT_EQ(second.sheet.CombinedChangeBits(), 7);
}

TEST(PropertySheet, AnInvalidPageKeepsItselfShownAndStopsOk) {
    int remembered = 0;
    Sheet test(remembered);
    test.pages[0]->valid = false;
    EXPECT_FALSE(test.sheet.SetActivePage(1));
    test.sheet.NavigationList()->setCurrentRow(2);
    EXPECT_EQ(test.sheet.ActivePageIndex(), 0);
    EXPECT_EQ(test.sheet.NavigationList()->currentRow(), 0);

    test.pages[0]->valid = true;
    test.pages[2]->valid = false;
    test.sheet.accept();
    EXPECT_EQ(test.sheet.ActivePageIndex(), 2) << "OK shows the first page that does not validate";
    EXPECT_EQ(test.pages[0]->applied, 0) << "nothing is applied while a page is invalid";
    EXPECT_EQ(test.sheet.CombinedChangeBits(), 0);
}
