#include "app/ui/ChildFrame.h"

#include "app/NUVDoc.h"
#include "app/OpenDocument.h"
#include "app/ui/MainFrame.h"
#include "editor/LogicTextSearch.h"
#include "editor/SearchDefaultText.h"
#include "editor/ui/FunctionContentView.h"
#include "editor/ui/FunctionView.h"
#include "editor/ui/InputView.h"
#include "editor/ui/NUVView.h"
#include "editor/ui/OutputView.h"
#include "editor/ui/SplREdit.h"
#include "generators/ui/ChangeRequirementDialog.h"
#include "generators/ui/UniqueLabelDialog.h"
#include "logic/SearchHit.h"
#include "model/AbstractIndexItem.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int kHeaderRow = 0;
constexpr int kContentRow = 1;
constexpr int kLogicRow = 2;

// The rest of the height goes to the logic row.
QList<int> RowHeights(const TabPaneSizes& sizes, int total) {
    const int rest = std::max(TabPaneSizes::MinimumPaneSize, total - sizes.headerHeight - sizes.functionHeight);
    return {sizes.headerHeight, sizes.functionHeight, rest};
}

} // namespace

CChildFrame::CChildFrame(COpenDocument& document, CUnitFunction& function, const CMessageContext& messages,
                         std::function<void()> sizesShared, QWidget* parent)
    : QWidget(parent), m_document(document), m_function(function), m_sizesShared(std::move(sizesShared)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setChildrenCollapsible(false);
    m_headerForm = new CNUVView(document.DocumentData(), function, *this, messages);
    setWindowTitle(m_headerForm->TabTitle());
    connect(m_headerForm, &CNUVView::TabTitleChanged, this, &QWidget::setWindowTitle);
    connect(m_headerForm, &CNUVView::HeaderRowHeightChosen, this, [this](int height) {
        TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
        sizes.headerHeight = height;
        StoreSizes(sizes);
        ApplyPaneLayout();
    });
    const auto reported = [this](bool changed) {
        if (changed)
            FunctionHeaderChanged(m_function);
        return changed;
    };
    m_headerForm->SetFieldDialogs(
        [this, reported](QWidget* parent) {
            CSystemUniqueLabelClock clock;
            // Each label assigned, changed or removed shows in the form at once, the dialog still open.
            return reported(EditUniqueLabel(m_document.DocumentData(), m_function, clock, parent, [this, reported] {
                reported(true);
                m_headerForm->Fill();
            }));
        },
        [this, reported, &messages](QWidget* parent) {
            CChangeRequirementDialog dialog(m_document.DocumentData(), m_function, messages, parent);
            return reported(dialog.exec() == QDialog::Accepted);
        });
    m_contentView = new CFunctionContentView(document.DocumentData(), function, *this);
    m_contentView->SetMessageContext(&messages);
    m_splitter->addWidget(m_headerForm);
    m_splitter->addWidget(m_contentView);
    layout->addWidget(m_splitter);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { StorePaneSizes(); });
    m_functionView = new CFunctionView(m_document.DocumentData(), m_function, this);
    m_functionView->setMinimumSize(TabPaneSizes::MinimumPaneSize, TabPaneSizes::MinimumPaneSize);
    CreateLogicPanes();
    m_document.AddObserver(*this);
}

CChildFrame::~CChildFrame() {
    // A content text typed and not yet left goes with the tab otherwise.
    m_contentView->StoreContent();
    m_document.RemoveObserver(*this);
    // The splitters free their widgets in an order of their own: the panes let go of the logic form's model
    // before it goes.
    for (CSidePaneView* pane : {static_cast<CSidePaneView*>(m_inputView), static_cast<CSidePaneView*>(m_outputView)})
        if (pane)
            pane->AttachModel(nullptr);
}

void CChildFrame::CreateLogicPanes() {
    QScopedValueRollback applying(m_bApplying, true);
    const TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
    // The logic form outlives the row it sits in, with its editor's caret and undo.
    m_functionView->hide();
    m_functionView->setParent(this);
    if (m_splitter->count() > kLogicRow)
        delete m_splitter->widget(kLogicRow);
    m_logicSplitter = nullptr;
    m_inputView = nullptr;
    m_outputView = nullptr;
    if (sizes.LogicColumnCount() == 1) {
        m_splitter->addWidget(m_functionView);
    } else {
        m_logicSplitter = new QSplitter(Qt::Horizontal);
        m_logicSplitter->setChildrenCollapsible(false);
        QList<int> widths;
        if (sizes.input) {
            m_inputView = new CInputView(m_document.DocumentData(), m_function);
            m_logicSplitter->addWidget(m_inputView);
            widths << sizes.inputWidth;
        }
        m_logicSplitter->addWidget(m_functionView);
        widths << sizes.functionWidth;
        if (sizes.output) {
            m_outputView = new COutputView(m_document.DocumentData(), m_function);
            m_logicSplitter->addWidget(m_outputView);
            widths << sizes.outputWidth;
        }
        m_logicSplitter->setSizes(widths);
        for (CSidePaneView* pane :
             {static_cast<CSidePaneView*>(m_inputView), static_cast<CSidePaneView*>(m_outputView)})
            if (pane) {
                pane->AttachModel(&m_functionView->Model());
                pane->SetMessageContext(m_contentView->MessageContext());
                pane->FollowEditor(m_functionView->Editor());
            }
        connect(m_logicSplitter, &QSplitter::splitterMoved, this, [this] { StorePaneSizes(); });
        m_splitter->addWidget(m_logicSplitter);
    }
    m_functionView->show();
    // Height the window gains or loses goes to the logic row.
    m_splitter->setStretchFactor(kLogicRow, 1);
    m_splitter->setSizes(RowHeights(sizes, m_splitter->height()));
}

void CChildFrame::ApplyPaneLayout() {
    const TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
    const int columns = m_logicSplitter ? m_logicSplitter->count() : 1;
    if (columns != sizes.LogicColumnCount()) {
        CreateLogicPanes();
        return;
    }
    QScopedValueRollback applying(m_bApplying, true);
    m_splitter->setSizes(RowHeights(sizes, m_splitter->height()));
    if (m_logicSplitter) {
        QList<int> widths;
        if (sizes.input)
            widths << sizes.inputWidth;
        widths << sizes.functionWidth;
        if (sizes.output)
            widths << sizes.outputWidth;
        m_logicSplitter->setSizes(widths);
    }
}

void CChildFrame::ShowDocumentChanges() {
    ReloadLogic();
    m_headerForm->Fill();
    m_contentView->Fill();
}

void CChildFrame::ReloadLogic() {
    // The panes listen to the model and refill with it.
    m_functionView->Model().ReloadRecords();
    m_functionView->Editor().Render();
    m_functionView->UpdateToolboxButtons();
}

void CChildFrame::GoToLogicLine(int lineNumber) {
    CSplREdit& editor = m_functionView->Editor();
    editor.GoToLine(lineNumber);
    // The append line follows every record: a record's line break is always there to select.
    const int line = editor.Model().CaretLine();
    if (line < editor.Model().RecordCount())
        editor.SelectRange({line, 0}, {line + 1, 0});
}

void CChildFrame::FocusHeaderField(HeaderField field) {
    QWidget* target = nullptr;
    switch (field) {
    case HeaderField::UnitFunctionName:
        target = &m_headerForm->NameBox();
        break;
    case HeaderField::OriginalRequirementItems:
        target = &m_headerForm->RequirementsBox();
        break;
    case HeaderField::ManHours:
        target = &m_headerForm->ManHoursBox();
        break;
    case HeaderField::ContentText:
        target = m_contentView;
        break;
    case HeaderField::OutlineNumber:
        target = &m_headerForm->OutlineNumberBox();
        break;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::SelectContentRange(int start, int length) {
    const int end = m_contentView->document()->characterCount() - 1;
    QTextCursor cursor(m_contentView->document());
    cursor.setPosition(std::clamp(start, 0, end));
    cursor.setPosition(std::clamp(start + length, 0, end), QTextCursor::KeepAnchor);
    m_contentView->setTextCursor(cursor);
    m_contentView->setFocus(Qt::OtherFocusReason);
    m_contentView->ensureCursorVisible();
}

void CChildFrame::SelectLogicCharacters(int first, int last) {
    m_functionView->Editor().SelectCharacters(first, last);
}

void CChildFrame::ShowSearchHit(const ResultLine& location, int lineIndex) {
    const int end = location.startPosition + location.length;
    if (location.kind == ResultLine::LogicDescriptionLine) {
        CSplREdit& editor = m_functionView->Editor();
        const CLogicLine* record = editor.Model().Record(lineIndex);
        if (!record)
            return;
        // A slot edited since the search keeps the selection inside it.
        const auto slot = static_cast<size_t>(location.element);
        const int slotLength =
            slot < record->textSlots.size() ? static_cast<int>(record->textSlots[slot].text.size()) : 0;
        const auto column = [&](int offset) {
            return CLogicEditModel::SlotColumn(*record, location.element, std::min(offset, slotLength));
        };
        editor.SelectRange({lineIndex, column(location.startPosition)}, {lineIndex, column(end)});
    } else if (location.kind == ResultLine::FunctionContentLine) {
        // Content hits count their lines from 1.
        const QTextBlock block = m_contentView->document()->findBlockByNumber(lineIndex - 1);
        if (block.isValid())
            SelectContentRange(block.position() + location.startPosition, location.length);
        else
            SelectContentRange(0, 0);
    } else if (location.kind == ResultLine::UnitFunctionName) {
        m_headerForm->ShowNameHit(location.matchedText, location.startPosition, location.length);
    } else {
        QLineEdit* box = location.kind == ResultLine::OriginalRequirementItems ? &m_headerForm->RequirementsBox()
                         : location.kind == ResultLine::CodeSymbol             ? &m_headerForm->CodeSymbolBox()
                                                                               : &m_headerForm->OutlineNumberBox();
        box->setFocus(Qt::OtherFocusReason);
        // A box changed since the search keeps its text unselected.
        if (box->text() == location.matchedText)
            box->setSelection(location.startPosition, location.length);
    }
}

QString CChildFrame::SelectedTextForSearch() const {
    // The main window's focus child: a menu or a modeless dialog in front does not take it away.
    QWidget* focus = window()->focusWidget();
    if (!focus || !isAncestorOf(focus))
        return {};
    QString selected;
    if (focus == &m_functionView->Editor())
        selected = m_functionView->Model().GetSelectedText();
    else if (auto* pane = qobject_cast<QTextEdit*>(focus))
        selected = pane->textCursor().selectedText();
    else if (auto* box = qobject_cast<QLineEdit*>(focus))
        selected = box->selectedText();
    return SearchDefaultText(selected);
}

bool CChildFrame::ContentViewHasFocus() const {
    const QWidget* focus = window()->focusWidget();
    return focus && (focus == m_contentView || m_contentView->isAncestorOf(focus));
}

bool CChildFrame::HasPendingEdits() const {
    const CLogicEditModel& logic = m_functionView->Editor().Model();
    return logic.IsTyped() || logic.IsFnNameChanged() || m_headerForm->HasPendingEdits() ||
           m_contentView->HasContentEdit();
}

void CChildFrame::CommitPendingEdits(bool closing) {
    m_functionView->Editor().CommitPendingEdits(closing);
    m_headerForm->CommitPendingEdits();
    m_contentView->StoreContent();
}

void CChildFrame::StorePaneSizes() {
    if (m_bApplying)
        return;
    TabPaneSizes sizes = TabPaneSizes::InUse(m_document.DocumentData(), m_function);
    sizes.headerHeight = m_splitter->sizes().value(kHeaderRow);
    sizes.functionHeight = m_splitter->sizes().value(kContentRow);
    if (m_logicSplitter) {
        const QList<int> widths = m_logicSplitter->sizes();
        int column = 0;
        if (sizes.input)
            sizes.inputWidth = widths.value(column++);
        sizes.functionWidth = widths.value(column++);
        if (sizes.output)
            sizes.outputWidth = widths.value(column);
    }
    StoreSizes(sizes);
}

void CChildFrame::StoreSizes(const TabPaneSizes& sizes) {
    if (m_document.StoreTabPaneSizes(m_function, sizes) && m_sizesShared)
        m_sizesShared();
}

void CChildFrame::FunctionRenamed(CUnitFunction& function) {
    QScopedValueRollback reporting(m_bReporting, true);
    m_document.ReportFunctionChange(DocumentChange::FunctionRenamed, function);
}

void CChildFrame::FunctionHeaderChanged(CUnitFunction& function) {
    QScopedValueRollback reporting(m_bReporting, true);
    m_document.ReportFunctionChange(DocumentChange::FunctionHeaderChanged, function);
}

void CChildFrame::RebuildDocument() {
    QScopedValueRollback reporting(m_bReporting, true);
    m_document.RebuildDocument();
}

void CChildFrame::MoveFunctionTo(CUnitFunction& function, const QString& outlineNumber) {
    CDocumentData& data = m_document.DocumentData();
    CAbstractIndexItem* item =
        CAbstractIndexItem::FindByOutlineNumber(&data.indexRoot, function.GetPrimaryOutlineNumber(), 0);
    if (!item)
        return;
    bool moved = false;
    CAbstractIndexItem::MoveToOutlineNumber(data, *item, outlineNumber, moved, data.GetModelOptions());
    if (moved)
        m_document.RebuildDocument();
}

void CChildFrame::OpenLink(const QString& link) {
    if (auto* frame = qobject_cast<CMainFrame*>(window()))
        frame->OpenLink(link);
}

void CChildFrame::RememberSearchStartLine(int context) {
    if (context == m_searchContext)
        return;
    m_searchContext = context;
    m_searchStartLine = m_functionView->Editor().Model().CaretLine();
    m_searchFromStartLine = true;
}

bool CChildFrame::FindNextInLogic(const QString& text) {
    CSplREdit& editor = m_functionView->Editor();
    const CLogicEditModel& model = editor.Model();
    QStringList lines;
    for (int line = 0; line < model.RecordCount(); ++line)
        lines << model.LineText(line);
    const EditPosition from = m_searchFromStartLine ? EditPosition{m_searchStartLine, 0} : model.SelectionEnd();
    const std::optional<EditPosition> hit = FindNextInLines(lines, from, text);
    if (!hit)
        return false;
    m_searchFromStartLine = false;
    editor.SelectRange(*hit, {hit->line, hit->column + static_cast<int>(text.size())});
    return true;
}

bool CChildFrame::ReplaceInLogic(const QString& text, const QString& replacement) {
    CSplREdit& editor = m_functionView->Editor();
    const CLogicEditModel& model = editor.Model();
    if (!replacement.isEmpty() && model.IsSelectionInOneSlot() && model.SelectedText() == text)
        editor.InsertCandidate(replacement);
    return FindNextInLogic(text);
}

const OutlineNumber* CChildFrame::ChosenOutlineNumber() const {
    const CNUVDoc* tab = m_document.Tabs().FindTab(&m_function);
    return tab && !tab->m_openedFrom.empty() ? &tab->m_openedFrom : nullptr;
}

void CChildFrame::DocumentChanged(DocumentChange change, CUnitFunction* function) {
    // A rename rewrites the calling Fn lines of every unit function, this tab's own too.
    if (change == DocumentChange::FunctionRenamed || change == DocumentChange::FunctionsAddedOrMoved)
        ReloadLogic();
    // The forms already show what they reported themselves.
    if (m_bReporting || change == DocumentChange::ModifiedChanged || change == DocumentChange::Closed ||
        change == DocumentChange::FunctionRemoved || change == DocumentChange::NotesChanged)
        return;
    m_headerForm->Fill();
    if (function == &m_function && change == DocumentChange::FunctionHeaderChanged)
        m_contentView->Fill();
    if (m_inputView)
        m_inputView->Refill();
    if (m_outputView)
        m_outputView->Refill();
}
