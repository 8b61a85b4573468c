#include "settings/ui/FontDlg.h"

#include "model/StandardColours.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"
#include "texts/MessageContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

FontSetting Font(const QString& face, quint16 size) {
    FontSetting font;
    font.faceName = face;
    font.pointSize = size;
    return font;
}

} // namespace

TEST(FontDlg, ListsTheFacesOfThisMachineAndShowsAMissingFaceWithTheDefault) {
    const CFontInfo installed(EnumerateFonts());
    EXPECT_EQ(installed.Faces(), QFontDatabase::families());
    ASSERT_FALSE(installed.Faces().isEmpty());
    const CMessageContext context;
    CFontChoice choice(Font("No Such Face On Any Machine", 105), AllFontAttributes, CFontChoice::FromContentText);
    CFontDlg dialog(context, installed, choice, 2.0);
    EXPECT_EQ(dialog.FaceList()->count(), installed.Faces().size());
    // Selected: the default face when this machine has it.
    const QString shown = installed.ResolveFaceName(choice.font.faceName);
    const QListWidgetItem* current = dialog.FaceList()->currentItem();
    EXPECT_EQ(current ? current->text() : QString(), installed.FindFaceIndex(shown) >= 0 ? shown : QString());
    EXPECT_EQ(dialog.SizeBox()->currentText(), "10.5");
    EXPECT_DOUBLE_EQ(dialog.Sample()->font().pointSizeF(), 21.0) << "the sample follows the text zoom";
    EXPECT_EQ(dialog.Sample()->text(), "ABCabc123") << "the sample and the labels follow the interface language";
    EXPECT_EQ(dialog.UnderlineBox()->text(), "Under line");
    EXPECT_EQ(dialog.AllOccurrencesBox(), nullptr);
    dialog.accept();
    EXPECT_EQ(choice.font.faceName, "No Such Face On Any Machine") << "the document keeps the name it has";
}

TEST(FontDlg, AFaceThatIsNotInstalledKeepsItsNameUntilAnotherIsPicked) {
    const CFontInfo installed(QStringList{"Alpha", "Beta", "Gamma"});
    const CMessageContext context;
    const FontSetting missing = Font("Times New Roman", 105);
    for (const QString& drawn : {QString(), QStringLiteral("Beta")}) {
        CFontChoice choice(missing, AllFontAttributes, CFontChoice::FromLogicEditor);
        choice.drawnFace = drawn;
        const CFontChoice opened = choice;
        CFontDlg dialog(context, installed, choice, 1.0);
        dialog.show();
        // Shown as the face it is drawn with, when known.
        const QList<QListWidgetItem*> selected = dialog.FaceList()->selectedItems();
        EXPECT_EQ(selected.isEmpty() ? QString() : selected.front()->text(), drawn);
        // The list taking the focus makes a row current without choosing it.
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(dialog.FaceList(), &focusIn);
        dialog.accept();
        EXPECT_EQ(choice.font.faceName, "Times New Roman") << drawn.toStdString();
        EXPECT_FALSE(choice.ChangesFrom(opened)) << "OK without a change stores nothing";
    }

    CFontChoice choice(missing, AllFontAttributes, CFontChoice::FromLogicEditor);
    choice.drawnFace = "Beta";
    const CFontChoice opened = choice;
    CFontDlg dialog(context, installed, choice, 1.0);
    dialog.show();
    dialog.FaceList()->setFocus();
    QTest::keyClick(dialog.FaceList(), Qt::Key_Down);
    EXPECT_EQ(dialog.Sample()->font().family(), "Gamma");
    dialog.accept();
    EXPECT_EQ(choice.font.faceName, "Gamma");
    EXPECT_TRUE(choice.ChangesFrom(opened));
}

TEST(FontDlg, OkGivesBackTheChoicesWithTheirMaskCancelNothing) {
    const CFontInfo installed(QStringList{"Alpha", "Beta"});
    const CMessageContext context;
    // A selection whose sizes and boldness differ.
    const quint32 common = AllFontAttributes & ~(FontAttributeSize | FontAttributeBold);
    CFontChoice choice(Font("Alpha", 0), common, CFontChoice::FromLogicEditor);
    {
        CFontDlg dialog(context, installed, choice, 1.0, "Door");
        EXPECT_EQ(dialog.SizeBox()->currentText(), "");
        EXPECT_EQ(dialog.BoldBox()->checkState(), Qt::PartiallyChecked);
        dialog.FaceList()->setCurrentRow(1);
        dialog.reject();
        EXPECT_EQ(choice.font.faceName, "Alpha");
        EXPECT_EQ(choice.mask, common);
    }
    CFontDlg dialog(context, installed, choice, 1.0, "Door");
    dialog.show();
    dialog.FaceList()->setCurrentRow(1);
    dialog.BoldBox()->click();
    dialog.ColourBox()->setCurrentIndex(9);
    emit dialog.ColourBox()->activated(9);
    dialog.SizeBox()->setEditText("99999");
    {
        platform::ScriptedMessageSink sink;
        dialog.accept();
        EXPECT_EQ(sink.Texts(), QStringList{"The value of \"Size\" is out of range."});
        EXPECT_TRUE(dialog.isVisible());
    }
    dialog.SizeBox()->setEditText("14");
    ASSERT_NE(dialog.AllOccurrencesBox(), nullptr);
    dialog.AllOccurrencesBox()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(choice.font.faceName, "Beta");
    EXPECT_EQ(choice.font.pointSize, 140);
    EXPECT_NE(choice.font.bold, 0);
    EXPECT_EQ(choice.font.colourIndex, 9);
    EXPECT_EQ(choice.font.colour, kStandardColours[9]);
    EXPECT_EQ(choice.mask, AllFontAttributes);
    EXPECT_EQ(choice.name, "Door");
}
