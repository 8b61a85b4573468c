#pragma once

#include "editor/ContentContextMenu.h"
#include "editor/FunctionHeaderEdit.h"
#include "platform/ui/NameEdit.h"

#include <QWidget>

#include <functional>

class CDocumentData;
class CFunctionFormHost;
class CUnitFunction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct CMessageContext;

// The header form of a unit-function tab: outline number, name, unique label, requirement items, function
// attribute, code symbol, man-hours with their units, and the reason. Each box turns what the user did into
// a call of the header rules and reports the change through the tab's host.
class CNUVView : public QWidget {
    Q_OBJECT
public:
    CNUVView(CDocumentData& document, CUnitFunction& function, CFunctionFormHost& host, const CMessageContext& messages,
             QWidget* parent = nullptr);

    // Shows the unit function's header again.
    void Fill();
    // Undo of the man-hours box: its own undo while it has one, else the value the last change replaced.
    void UndoManHours();
    // The header box that the Edit commands reach while `focus` has the focus (every box but the unique label's),
    // or null.
    QLineEdit* EditCommandBox(const QWidget* focus) const;
    // What the Edit commands can do in a header box now, and running one there; Undo in the man-hours box also
    // brings back the value its last change replaced.
    ContentMenuState EditCommandState(const QLineEdit& box) const;
    void RunEditCommand(QLineEdit& box, int command);
    // The outline number and the name as the tab shows them.
    QString TabTitle() const;
    // The height all rows need; the tab gives the form its full height or less.
    QSize sizeHint() const override;

    // Opens a header field's dialog over the form; true when the unit function or the document changed.
    using FieldDialog = std::function<bool(QWidget* parent)>;
    // The dialogs of the unique label and of the original requirement items that the "採番" and "変更" buttons open,
    // filled in by the tab's owner; a button without its dialog stays disabled.
    void SetFieldDialogs(FieldDialog uniqueLabel, FieldDialog requirementItems);

    QLineEdit& NameBox() const { return *m_name; }
    // Whether a box holds an edit not yet committed: a name typed that would rename the unit function, an outline
    // number or man-hours typed that leaving the box would store.
    bool HasPendingEdits() const;
    // Commits what the boxes hold, as leaving each of them would.
    void CommitPendingEdits();
    // Selects a search hit in the name that was `matchedText` when searched, or says where it is when the box does
    // not show it; a name changed since the search keeps the box unselected.
    void ShowNameHit(const QString& matchedText, int start, int length);
    QLineEdit& ManHoursBox() const { return *m_manHours; }
    QComboBox& ManHoursUnitList() const { return *m_manHoursUnit; }
    QLineEdit& TotalBox() const { return *m_total; }
    QLineEdit& ReasonBox() const { return *m_reason; }
    QCheckBox& OmitReasonBox() const { return *m_omitReason; }
    QPushButton& ReasonButton() const { return *m_reasonButton; }
    QComboBox& AttributeList() const { return *m_attribute; }
    QLineEdit& CodeSymbolBox() const { return *m_codeSymbol; }
    QLineEdit& OutlineNumberBox() const { return *m_outlineNumber; }
    QLineEdit& UniqueLabelBox() const { return *m_uniqueLabel; }
    QLineEdit& RequirementsBox() const { return *m_requirements; }
    QPushButton& UniqueLabelButton() const { return *m_uniqueLabelButton; }
    QPushButton& RequirementsButton() const { return *m_requirementsButton; }
    QPushButton& HeaderToggle() const { return *m_headerToggle; }

signals:
    // The tab's title changed with the name or the outline number.
    void TabTitleChanged(const QString& title);
    // The header toggle asks the tab to give the form this height.
    void HeaderRowHeightChosen(int height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The name box shows the start of the name (the whole of any shorter than the box holds) and says what it
    // leaves out.
    void ShowName();
    void CommitName();
    void CommitOutlineNumber();
    void CommitManHours();
    void ShowManHours();
    void ShowReason();
    void UpdateOmitReasonState();
    void OnReasonEdited(const QString& text);
    void OnOmitReasonClicked(bool checked);
    void OnAttributeChosen();
    void OnManHoursUnitChosen(int unit);
    void EditReasonInDialog();
    void OpenFieldDialog(const FieldDialog& dialog);
    void UpdateOutlineNumberBox();
    void ReportHeaderChange();

    CDocumentData& m_document;
    CUnitFunction& m_function;
    CFunctionFormHost& m_host;
    const CMessageContext& m_messages;
    CManHoursEdit m_manHoursEdit;
    bool m_reasonShortened = false;
    // While the form writes its boxes, their change signals are not the user's.
    bool m_filling = false;

    QWidget* m_rows = nullptr;
    QPushButton* m_headerToggle = nullptr;
    QLineEdit* m_outlineNumber = nullptr;
    CNameEdit* m_name = nullptr;
    QLineEdit* m_uniqueLabel = nullptr;
    QPushButton* m_uniqueLabelButton = nullptr;
    QLineEdit* m_requirements = nullptr;
    QPushButton* m_requirementsButton = nullptr;
    FieldDialog m_uniqueLabelDialog;
    FieldDialog m_requirementItemsDialog;
    QComboBox* m_attribute = nullptr;
    CNameEdit* m_codeSymbol = nullptr;
    CNameEdit* m_manHours = nullptr;
    QComboBox* m_manHoursUnit = nullptr;
    QLineEdit* m_descendantsTotal = nullptr;
    QLineEdit* m_total = nullptr;
    QComboBox* m_totalsUnit = nullptr;
    CNameEdit* m_reason = nullptr;
    QPushButton* m_reasonButton = nullptr;
    QCheckBox* m_omitReason = nullptr;
};
