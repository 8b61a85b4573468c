#include "editor/ui/NUVView.h"

#include "editor/FunctionFormHost.h"
#include "editor/ui/DocumentFontResolver.h"
#include "editor/ui/ReasoningDlg.h"
#include "model/DocumentData.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

QLineEdit* Box(QWidget* parent, int maxLength = 0, bool readOnly = false) {
    auto* box = new QLineEdit(parent);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    box->setReadOnly(readOnly);
    return box;
}

QComboBox* UnitList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->addItems({LoadString(StringId::ManHoursUnitHours), LoadString(StringId::ManHoursUnitDays),
                    LoadString(StringId::ManHoursUnitMonths), LoadString(StringId::ManHoursUnitYears)});
    return list;
}

std::uint8_t UnitOf(const QComboBox& list) {
    return static_cast<std::uint8_t>(std::max(0, list.currentIndex()));
}

} // namespace

CNUVView::CNUVView(CDocumentData& document, CUnitFunction& function, CFunctionFormHost& host,
                   const CMessageContext& messages, QWidget* parent)
    : QWidget(parent), m_document(document), m_function(function), m_host(host), m_messages(messages),
      m_manHoursEdit(document.WorkTable, function) {
    setObjectName(QStringLiteral("CNUVView"));
    m_outlineNumber = Box(this);
    m_name = new CNameEdit(CUnitFunction::MaxTypedNameLength, this);
    m_uniqueLabel = Box(this, 0, true);
    // The requirement items show joined whole, however many there are.
    m_requirements = Box(this, 0, true);
    m_attribute = new QComboBox(this);
    // The code symbol and the reason, however long, change only by the user's edits.
    m_codeSymbol = new CNameEdit(platform::TextBoxCapacity, this);
    // The man-hours show with two decimals whole; typing makes them no longer than 5 characters.
    m_manHours = new CNameEdit(5, this);
    m_manHoursUnit = UnitList(this);
    m_descendantsTotal = Box(this, 0, true);
    m_total = Box(this, 0, true);
    m_totalsUnit = UnitList(this);
    m_reason = new CNameEdit(platform::TextBoxCapacity, this);
    m_reasonButton = new QPushButton(Msg::Detail(messages), this);
    m_omitReason = new QCheckBox(Msg::OmitReason(messages), this);
    m_uniqueLabelButton = new QPushButton(Msg::AssignWord(messages), this);
    m_uniqueLabelButton->setEnabled(false);
    m_requirementsButton = new QPushButton(Msg::Change(messages), this);
    m_requirementsButton->setEnabled(false);
    m_headerToggle = new QPushButton(HeaderToggleCaption(height()), this);
    m_headerToggle->setFixedWidth(m_headerToggle->sizeHint().height());
    for (QLineEdit* box : {m_outlineNumber, static_cast<QLineEdit*>(m_manHours), m_descendantsTotal, m_total})
        box->setMaximumWidth(90);
    // The attribute symbols are short: the list is wide enough to read one and open it all the same.
    m_attribute->setMinimumContentsLength(12);
    m_attribute->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    const auto row = [](std::initializer_list<QWidget*> widgets, QWidget* stretched) {
        auto* layout = new QHBoxLayout;
        for (QWidget* widget : widgets)
            layout->addWidget(widget, widget == stretched ? 1 : 0);
        return layout;
    };
    const auto label = [this](const QString& text) { return new QLabel(text, this); };
    // The rows keep their heights in a row lower than them: what does not fit is cut off at the bottom.
    m_rows = new QWidget(this);
    auto* layout = new QVBoxLayout(m_rows);
    layout->setContentsMargins(4, 4, 4, 2);
    layout->setSpacing(3);
    layout->addLayout(row({label(Msg::OutlineNumber(messages)), m_outlineNumber, label(Msg::FunctionName(messages)),
                           m_name, m_headerToggle},
                          m_name));
    layout->addLayout(row({label(Msg::UniqueLabel(messages)), m_uniqueLabel, m_uniqueLabelButton,
                           label(Msg::RequirementPlural(messages)), m_requirements, m_requirementsButton},
                          m_requirements));
    layout->addLayout(row({label(Msg::FunctionAttribute(messages)), m_attribute,
                           label(LoadString(StringId::CodeSymbolLabel)), m_codeSymbol},
                          m_codeSymbol));
    layout->addLayout(row({label(Msg::CostOfThisFunction(messages)), m_manHours, m_manHoursUnit,
                           label(Msg::CostOfDescendants(messages)), m_descendantsTotal, label(Msg::Total(messages)),
                           m_total, m_totalsUnit, new QWidget(this)},
                          nullptr));
    layout->addLayout(row({label(Msg::Reason(messages)), m_reason, m_reasonButton, m_omitReason}, m_reason));
    layout->addWidget(label(Msg::ExplanationWord(messages)));

    // A name being typed is renamed at Return and when the user leaves the box (eventFilter).
    connect(m_name, &QLineEdit::returnPressed, this, &CNUVView::CommitName);
    connect(m_outlineNumber, &QLineEdit::editingFinished, this, &CNUVView::CommitOutlineNumber);
    connect(m_manHours, &QLineEdit::editingFinished, this, &CNUVView::CommitManHours);
    connect(m_manHoursUnit, &QComboBox::currentIndexChanged, this, &CNUVView::OnManHoursUnitChosen);
    connect(m_totalsUnit, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            ShowManHours();
    });
    connect(m_attribute, &QComboBox::currentIndexChanged, this, &CNUVView::OnAttributeChosen);
    connect(m_codeSymbol, &CNameEdit::NameEdited, this, [this] {
        m_function.codeSymbol = m_codeSymbol->Name();
        ReportHeaderChange();
    });
    connect(m_reason, &CNameEdit::NameEdited, this, [this] { OnReasonEdited(m_reason->Name()); });
    connect(m_omitReason, &QCheckBox::clicked, this, &CNUVView::OnOmitReasonClicked);
    connect(m_reasonButton, &QPushButton::clicked, this, &CNUVView::EditReasonInDialog);
    connect(m_uniqueLabelButton, &QPushButton::clicked, this, [this] { OpenFieldDialog(m_uniqueLabelDialog); });
    connect(m_requirementsButton, &QPushButton::clicked, this, [this] { OpenFieldDialog(m_requirementItemsDialog); });
    connect(m_headerToggle, &QPushButton::clicked, this,
            [this] { emit HeaderRowHeightChosen(ToggledHeaderRowHeight(height())); });
    m_manHours->installEventFilter(this);
    m_name->installEventFilter(this);
    setMinimumHeight(HeaderRowSmallHeight);
    setMaximumHeight(HeaderRowFullHeight);
    Fill();
}

QSize CNUVView::sizeHint() const {
    return m_rows->sizeHint();
}

void CNUVView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_rows->setGeometry(0, 0, width(), std::max(height(), m_rows->sizeHint().height()));
    // A form lower than its rows shows whole rows only: the top of the first row that does not fit would show as
    // a few stray pixels below the last whole one.
    QLayout& rows = *m_rows->layout();
    rows.setGeometry(m_rows->rect());
    int shown = m_rows->height();
    for (int index = 0; index < rows.count(); ++index) {
        const QRect row = rows.itemAt(index)->geometry();
        if (row.bottom() >= height()) {
            shown = index > 0 ? row.top() : height();
            break;
        }
    }
    if (shown < m_rows->height())
        m_rows->setMask(QRegion(0, 0, width(), shown));
    else
        m_rows->clearMask();
    m_headerToggle->setText(HeaderToggleCaption(height()));
}

void CNUVView::Fill() {
    QScopedValueRollback filling(m_filling, true);
    QFont boxFont = MakeDocumentFont(FontSetting(), m_document.documentLanguage == 1);
    boxFont.setPointSize(10);
    m_outlineNumber->setFont(boxFont);
    m_name->setFont(boxFont);
    ShowName();
    UpdateOutlineNumberBox();
    m_attribute->clear();
    m_attribute->addItem(QString());
    for (const FunctionAttribute& attribute : m_document.FunctionAttributes)
        m_attribute->addItem(attribute.symbol);
    m_attribute->setCurrentIndex(std::max(0, m_attribute->findText(m_function.header.Type)));
    m_requirements->setText(JoinWithCommas(m_function.header.EffectiveRequirements()));
    m_requirements->setCursorPosition(0);
    m_uniqueLabel->setText(m_function.header.uniqueLabel);
    m_codeSymbol->SetName(m_function.codeSymbol);
    m_manHoursUnit->setCurrentIndex(m_function.header.Unit);
    m_totalsUnit->setCurrentIndex(m_document.IDTable.Unit);
    ShowManHours();
    ShowReason();
    UpdateOmitReasonState();
}

QString CNUVView::TabTitle() const {
    return FunctionTabTitle(m_document, m_function, m_host.ChosenOutlineNumber());
}

void CNUVView::UpdateOutlineNumberBox() {
    m_outlineNumber->setText(m_function.GetShownOutlineNumberText(
        m_host.ChosenOutlineNumber(), m_document.GetModelOptions().DistinguishPrimaryOutlineNumber));
    emit TabTitleChanged(TabTitle());
}

void CNUVView::ReportHeaderChange() {
    if (!m_filling)
        m_host.FunctionHeaderChanged(m_function);
}

void CNUVView::ShowName() {
    m_name->SetName(m_function.name);
    m_name->setToolTip(NameBoxNote(m_function.name));
}

bool CNUVView::HasPendingEdits() const {
    const QString outlineNumber = m_outlineNumber->text();
    return (m_name->isModified() && m_name->Name() != m_function.name) ||
           (m_outlineNumber->isModified() && !outlineNumber.isEmpty() &&
            outlineNumber !=
                m_function.GetOutlineNumberText(m_document.GetModelOptions().DistinguishPrimaryOutlineNumber)) ||
           (m_manHours->isModified() && m_manHoursEdit.Changes(m_manHours->text(), UnitOf(*m_manHoursUnit)));
}

void CNUVView::CommitPendingEdits() {
    CommitName();
    // An outline number the user did not type may show another place of the unit function: it moves nothing.
    if (m_outlineNumber->isModified())
        CommitOutlineNumber();
    CommitManHours();
}

void CNUVView::ShowNameHit(const QString& matchedText, int start, int length) {
    m_name->setFocus(Qt::OtherFocusReason);
    if (matchedText != m_function.name || m_name->text() != platform::TextBoxStart(m_function.name))
        return;
    if (const QString note = NameHitNote(m_messages, m_function.name, start, length); !note.isEmpty())
        platform::ShowMessageBox(note, platform::MessageButtons::Ok, platform::MessageIcon::Information);
    else
        m_name->setSelection(start, length);
}

void CNUVView::CommitName() {
    const QString name = m_name->Name();
    if (name == m_function.name)
        return;
    const RenameCheck check = CheckFunctionRename(m_document, m_function, name);
    if (check != RenameCheck::Accepted) {
        platform::ShowMessageBox(RenameRefusalMessage(check, name), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        ShowName();
        m_name->setFocus();
        return;
    }
    RenameFunction(m_document, m_function, name);
    // A name longer than the box shows its start again, so that the next visit starts from what it shows.
    if (m_name->text() != platform::TextBoxStart(name))
        ShowName();
    else
        m_name->setToolTip(NameBoxNote(name));
    m_host.FunctionRenamed(m_function);
    emit TabTitleChanged(TabTitle());
}

void CNUVView::CommitOutlineNumber() {
    const QString text = m_outlineNumber->text();
    const QString shown = m_function.GetOutlineNumberText(m_document.GetModelOptions().DistinguishPrimaryOutlineNumber);
    if (text == shown)
        return;
    if (!text.isEmpty()) {
        if (m_function.places.empty())
            platform::ShowMessageBox(LoadString(StringId::NoMoveSource), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Error);
        else
            m_host.MoveFunctionTo(m_function, text);
    }
    UpdateOutlineNumberBox();
}

void CNUVView::CommitManHours() {
    // The box shows the stored value rounded: leaving it as shown must not store the rounded one.
    if (!m_manHours->isModified())
        return;
    if (m_manHoursEdit.Commit(m_manHours->text(), UnitOf(*m_manHoursUnit))) {
        ReportHeaderChange();
        m_host.RebuildDocument();
    }
    ShowManHours();
}

void CNUVView::UndoManHours() {
    if (m_manHours->isUndoAvailable()) {
        m_manHours->undo();
        m_manHoursEdit.ForgetPrevious();
        return;
    }
    if (!m_manHoursEdit.Undo())
        return;
    ReportHeaderChange();
    m_host.RebuildDocument();
    ShowManHours();
}

QLineEdit* CNUVView::EditCommandBox(const QWidget* focus) const {
    for (QLineEdit* box :
         {m_outlineNumber, static_cast<QLineEdit*>(m_name), m_requirements, static_cast<QLineEdit*>(m_codeSymbol),
          static_cast<QLineEdit*>(m_manHours), m_descendantsTotal, m_total, static_cast<QLineEdit*>(m_reason)}) {
        if (box == focus)
            return box;
    }
    return nullptr;
}

ContentMenuState CNUVView::EditCommandState(const QLineEdit& box) const {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    ContentMenuState state;
    state.editable = !box.isReadOnly();
    state.canUndo = state.editable && (box.isUndoAvailable() || (&box == m_manHours && m_manHoursEdit.CanUndo()));
    state.hasSelection = box.hasSelectedText();
    state.hasText = !box.text().isEmpty();
    state.clipboardHasText = clipboard && clipboard->hasText();
    return state;
}

void CNUVView::RunEditCommand(QLineEdit& box, int command) {
    if (!IsContentMenuCommandEnabled(command, EditCommandState(box)))
        return;
    switch (command) {
    case ContentMenuUndo:
        if (&box == m_manHours)
            UndoManHours();
        else if (auto* edit = qobject_cast<CNameEdit*>(&box))
            edit->Undo();
        else
            box.undo();
        break;
    case ContentMenuCut:
        box.cut();
        break;
    case ContentMenuCopy:
        box.copy();
        break;
    case ContentMenuPaste:
        box.paste();
        break;
    case ContentMenuDelete:
        box.del();
        break;
    case ContentMenuSelectAll:
        box.selectAll();
        break;
    default:
        break;
    }
}

void CNUVView::ShowManHours() {
    const CUnitFunctionHeader& header = m_function.header;
    const WorkTableSettings& ratios = m_document.WorkTable;
    m_manHours->SetName(FormatManHours(ratios, UnitOf(*m_manHoursUnit), header.Work));
    m_descendantsTotal->setText(FormatManHours(ratios, UnitOf(*m_totalsUnit), header.Child));
    m_total->setText(FormatManHours(ratios, UnitOf(*m_totalsUnit), header.Total));
}

void CNUVView::OnManHoursUnitChosen(int unit) {
    if (m_filling || unit < 0)
        return;
    if (m_manHoursEdit.SetUnit(static_cast<std::uint8_t>(unit))) {
        ReportHeaderChange();
        m_host.RebuildDocument();
    }
    ShowManHours();
}

bool CNUVView::eventFilter(QObject* watched, QEvent* event) {
    // Not when a message or another program takes the focus from the window, nor when the box opens its own menu:
    // the automatic save's notice leaves the name being typed as it was.
    if (watched == m_name && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* popup = QApplication::activePopupWidget();
        if (reason != Qt::ActiveWindowFocusReason &&
            !(reason == Qt::PopupFocusReason && popup && popup->parentWidget() == m_name))
            CommitName();
    }
    // A key the full name box cannot take says why instead of doing nothing.
    if (watched == m_name && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A key with Control (and perhaps Shift) types nothing, whatever text it carries: Control+A selects all.
        const bool control =
            key->modifiers() == Qt::ControlModifier || key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
        const QString typed = key->matches(QKeySequence::Paste) ? QApplication::clipboard()->text()
                              : control                         ? QString()
                                                                : key->text();
        if (!typed.isEmpty() && typed.front().isPrint() && !m_name->isReadOnly() &&
            !NameBoxTakes(m_name->text().size(), m_name->selectedText().size(), typed.size())) {
            platform::ShowMessageBox(NameBoxFullMessage(m_messages), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Information);
            return true;
        }
    }
    // The box's Undo key runs the form's man-hours undo, which also reaches stored values.
    if (watched == m_manHours && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            UndoManHours();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CNUVView::ShowReason() {
    QScopedValueRollback filling(m_filling, true);
    const ReasonDisplay display = MakeReasonDisplay(m_function.header.Reasoning);
    m_reasonShortened = display.shortened;
    m_reason->SetName(display.text);
    m_reason->setReadOnly(display.shortened);
}

void CNUVView::UpdateOmitReasonState() {
    // A reason makes the omit flag meaningless: the box shows it cleared. The record keeps its flag until the
    // reason is edited, so that showing a tab never changes the document.
    const CUnitFunctionHeader& header = m_function.header;
    const bool hasReason = !header.Reasoning.isEmpty();
    m_omitReason->setEnabled(!hasReason);
    m_omitReason->setChecked(!hasReason && header.UnNecessaryReasoning != 0);
    m_reason->setEnabled(!m_omitReason->isChecked());
    m_reasonButton->setEnabled(!m_omitReason->isChecked());
}

void CNUVView::OnReasonEdited(const QString& text) {
    if (ApplyReasonBoxText(m_function, text, m_reasonShortened))
        ReportHeaderChange();
    m_omitReason->setEnabled(m_function.header.Reasoning.isEmpty());
    if (!m_function.header.Reasoning.isEmpty())
        m_omitReason->setChecked(false);
}

void CNUVView::OnOmitReasonClicked(bool checked) {
    m_function.header.UnNecessaryReasoning = checked ? 1 : 0;
    ReportHeaderChange();
    m_reason->setEnabled(!checked);
    m_reasonButton->setEnabled(!checked);
}

void CNUVView::OnAttributeChosen() {
    if (m_filling)
        return;
    const QString text = m_attribute->currentText();
    CUnitFunctionHeader& header = m_function.header;
    if (text == header.Type)
        return;
    header.TypeNo = 0;
    for (const FunctionAttribute& attribute : m_document.FunctionAttributes) {
        if (!text.isEmpty() && attribute.symbol == text) {
            header.TypeNo = attribute.id;
            break;
        }
    }
    header.Type = text.left(CUnitFunctionHeader::MaxTypeLength);
    ReportHeaderChange();
}

void CNUVView::SetFieldDialogs(FieldDialog uniqueLabel, FieldDialog requirementItems) {
    m_uniqueLabelDialog = std::move(uniqueLabel);
    m_requirementItemsDialog = std::move(requirementItems);
    m_uniqueLabelButton->setEnabled(static_cast<bool>(m_uniqueLabelDialog));
    m_requirementsButton->setEnabled(static_cast<bool>(m_requirementItemsDialog));
}

void CNUVView::OpenFieldDialog(const FieldDialog& dialog) {
    if (dialog && dialog(this))
        Fill();
}

void CNUVView::EditReasonInDialog() {
    CReasoningDlg dialog(m_function.header.Reasoning, m_messages, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (ApplyReasonBoxText(m_function, TrimReasonLineBreaks(dialog.ReasonText()), false))
        ReportHeaderChange();
    ShowReason();
    UpdateOmitReasonState();
}
