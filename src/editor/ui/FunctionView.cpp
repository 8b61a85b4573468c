#include "editor/ui/FunctionView.h"

#include "editor/LogicEditModel.h"
#include "editor/LogicToolbox.h"
#include "editor/ui/SplREdit.h"
#include "editor/ui/SystemLogicClipboard.h"
#include "model/DocumentData.h"
#include "platform/ui/CaptionLines.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"
#include "texts/TextHelpers.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace {

constexpr int kButtonSize = 48;

// Shared by every form: the page shown (0 the page chooser), the one before it and the layout last chosen.
int g_nToolboxPage = 1;
int g_nPreviousToolboxPage = 1;
int g_nToolboxLayout = 0;
std::vector<CFunctionView*> g_forms;

// The buttons whose caption is a statement keyword.
constexpr std::pair<int, int> kKeywordButtons[] = {
    {1210, SyntaxIf},   {1211, SyntaxDo},   {1212, SyntaxFn},     {1213, SyntaxDoNothing},    {1217, SyntaxSwitch},
    {1218, SyntaxCase}, {1219, SyntaxLoop}, {1324, SyntaxExitlp}, {1342, SyntaxTransitState},
};

constexpr std::pair<int, Msg::Id> kTextButtons[] = {
    {1208, Msg::Id::ToolboxChangeToolbox},
    {1320, Msg::Id::Input1},
    {1321, Msg::Id::Input2},
    {1322, Msg::Id::Edit1},
    {1323, Msg::Id::Edit2},
    {1209, Msg::Id::ToolboxNewLineAhead},
    {1214, Msg::Id::ToolboxComment},
    {1215, Msg::Id::ToolboxNewline},
    {1325, Msg::Id::Undo},
    {1326, Msg::Id::Redo},
    {1327, Msg::Id::Copy},
    {1328, Msg::Id::ToolboxPasteLines},
    {1329, Msg::Id::ToolboxDeleteLines},
    {1330, Msg::Id::ToolboxDeleteBlock},
    {1331, Msg::Id::ToolboxDeleteFrame},
    {1332, Msg::Id::ToolboxSelectFunction},
    {1334, Msg::Id::ToolboxFont},
    {1338, Msg::Id::ToolboxRegisterMemberName},
    {1339, Msg::Id::ToolboxNegation},
    {1340, Msg::Id::ToolboxZenkakuNegation},
    {1333, Msg::Id::Event},
    {1335, Msg::Id::State},
};

// The replace buttons name the statement they give.
constexpr std::pair<int, int> kReplaceButtons[] = {{1336, SyntaxDo}, {1337, SyntaxFn}, {1343, SyntaxTransitState}};

// Shows the caption on the button in lines that fit inside it, shrinking the font down to a size still read
// until they do: a long word ("Comment") or a caption without blanks ("ツールボックス切り替え") would otherwise
// lose its ends to the button's edges.
void FitCaption(QPushButton& button, const QString& caption) {
    constexpr int kPadding = 8;
    constexpr int kWidth = kButtonSize - kPadding;
    constexpr qreal kSmallestPointSize = 6.0;
    QFont font = button.parentWidget() ? button.parentWidget()->font() : button.font();
    QStringList lines;
    const auto fits = [&](const QFont& candidate) {
        lines = CaptionLines(caption, candidate, kWidth);
        const QFontMetrics metrics(candidate);
        if (metrics.lineSpacing() * lines.size() > kButtonSize - kPadding / 2)
            return false;
        return std::ranges::all_of(lines,
                                   [&](const QString& line) { return metrics.horizontalAdvance(line) <= kWidth; });
    };
    // A font sized in pixels keeps its size.
    while (!fits(font) && font.pointSizeF() > 0 && font.pointSizeF() - 0.5 >= kSmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button.setFont(font);
    button.setText(LiteralCaption(lines.join(QLatin1Char('\n'))));
}

const CMessageContext& DefaultContext() {
    static const CMessageContext context;
    return context;
}

} // namespace

CFunctionView::CFunctionView(CDocumentData& document, CUnitFunction& function, QWidget* parent)
    : QWidget(parent), m_document(document), m_clipboard(std::make_unique<CSystemLogicClipboard>()),
      m_model(std::make_unique<CLogicEditModel>(document, function, *m_clipboard)) {
    setObjectName(QStringLiteral("CFunctionView"));
    m_caption = new QLabel(this);
    m_editor = new CSplREdit(*m_model, m_clipboard.get(), this);
    m_candidateBox = new QComboBox(this);
    m_layoutBox = new QComboBox(this);
    for (const ::ToolboxButton& button : kToolboxButtons) {
        auto* push = new QPushButton(this);
        push->setObjectName(QStringLiteral("ToolboxButton%1").arg(button.id));
        push->setFocusPolicy(Qt::NoFocus);
        m_buttons[button.id] = push;
        connect(push, &QPushButton::clicked, this, [this, id = button.id] { ClickToolboxButton(id); });
    }
    m_layoutBox->addItems({QString(), QString(), QString()});
    m_layout = g_nToolboxLayout;
    m_layoutBox->setCurrentIndex(m_layout);
    connect(m_layoutBox, &QComboBox::activated, this, [this](int layout) { OnSelchangeToolboxLayout(layout); });
    connect(m_candidateBox, &QComboBox::activated, this, [this](int index) { OnSelchangeCandidate(index); });
    connect(m_editor, &CSplREdit::ModelChanged, this, [this] { UpdateToolboxButtons(); });
    g_forms.push_back(this);
    LocalizeCaptions();
    ShowToolboxControls();
    UpdateToolboxButtons();
}

CFunctionView::~CFunctionView() {
    g_forms.erase(std::remove(g_forms.begin(), g_forms.end(), this), g_forms.end());
    // The editor goes before the model it edits: as a child it would go after the members, and losing the focus
    // on the way it would still reach the model.
    delete m_editor;
}

void CFunctionView::SetMessageContext(const CMessageContext* context) {
    m_context = context;
    m_editor->SetMessageContext(context);
    LocalizeCaptions();
}

void CFunctionView::SetLinkOpener(std::function<void(const QString&)> opener) {
    m_editor->SetLinkOpener(std::move(opener));
}

QPushButton* CFunctionView::ToolboxButton(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

void CFunctionView::LocalizeCaptions() {
    const CMessageContext& context = m_context ? *m_context : DefaultContext();
    const auto keyword = [this](int kind) {
        return kind < static_cast<int>(m_document.SyntaxSymbols.size()) ? m_document.SyntaxSymbols[kind].keyword
                                                                        : QString();
    };
    const auto caption = [this](int id, const QString& text) {
        QPushButton* button = m_buttons.at(id);
        FitCaption(*button, text);
        button->setToolTip(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    };
    m_caption->setText(Msg::Text(context, Msg::Id::Logic));
    for (const auto& [id, kind] : kKeywordButtons)
        caption(id, keyword(kind));
    for (const auto& [id, text] : kTextButtons)
        caption(id, Msg::Text(context, text));
    for (const auto& [id, kind] : kReplaceButtons)
        caption(id, Msg::Text(context, Msg::Id::ReplaceWithCapitalized, {keyword(kind)}));
    caption(1341, QStringLiteral("Kos"));
    caption(1220, QStringLiteral("while"));
    caption(1221, QStringLiteral("for"));
    m_layoutBox->setItemText(0, Msg::Text(context, Msg::Id::OneRow));
    m_layoutBox->setItemText(1, Msg::Text(context, Msg::Id::TwoRows));
    m_layoutBox->setItemText(2, Msg::Text(context, Msg::Id::NoneLabel));
    m_layoutBox->setToolTip(Msg::Text(context, Msg::Id::SelectToolbox).left(79));
    m_candidateBox->setToolTip(Msg::Text(context, Msg::Id::Choose));
}

void CFunctionView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    LayoutControls();
}

void CFunctionView::LayoutControls() {
    const int cx = width();
    const int cy = height();
    const int w = m_layout == 2 ? 0 : kButtonSize;
    const int column = cx - w - 1;
    m_caption->setGeometry(0, 0, 144, 22);
    m_candidateBox->setGeometry(148, 0, std::max(0, cx - 5 * kButtonSize - 7), 22);
    m_layoutBox->setGeometry(cx - 96, 0, 94, 22);
    const int editorWidth = m_layout == 0 ? cx - w - 5 : m_layout == 1 ? cx - 101 : cx - 4;
    m_editor->setGeometry(2, 22, std::max(0, editorWidth), std::max(0, cy - 23));
    // The page chooser and each page's buttons, top down in the order of the table.
    int pageY[ToolboxPageCount + 1] = {};
    const int pageTop = m_layout == 0 ? 70 : 22;
    std::fill(std::begin(pageY), std::end(pageY), pageTop);
    int chooserY = m_layout == 0 ? 70 : 22;
    for (const ::ToolboxButton& button : kToolboxButtons) {
        QPushButton* push = m_buttons.at(button.id);
        if (button.id == ToolboxToggle) {
            push->setGeometry(column, 22, kButtonSize, kButtonSize);
        } else if (button.page == 0) {
            push->setGeometry(m_layout == 1 ? column - kButtonSize : column, chooserY, kButtonSize, kButtonSize);
            chooserY += kButtonSize;
        } else {
            push->setGeometry(column, pageY[button.page], kButtonSize, kButtonSize);
            pageY[button.page] += kButtonSize;
        }
    }
}

void CFunctionView::ShowToolboxControls() {
    LayoutControls();
    for (const ::ToolboxButton& button : kToolboxButtons) {
        bool shown = false;
        switch (m_layout) {
        case 0:
            shown = button.id == ToolboxToggle || (g_nToolboxPage == 0 ? button.page == 0 && button.id != ToolboxToggle
                                                                       : button.page == g_nToolboxPage);
            break;
        case 1:
            shown = button.id != ToolboxToggle && (button.page == 0 || button.page == g_nToolboxPage);
            break;
        default:
            break;
        }
        m_buttons.at(button.id)->setVisible(shown);
    }
}

void CFunctionView::ApplyToolboxLayout(int layout) {
    for (CFunctionView* form : g_forms) {
        form->m_layout = layout;
        form->m_layoutBox->setCurrentIndex(layout);
        form->ShowToolboxControls();
    }
}

void CFunctionView::ShowToolboxPage(int page) {
    g_nPreviousToolboxPage = g_nToolboxPage;
    g_nToolboxPage = page;
    UpdateToolboxButtons();
    ApplyToolboxLayout(m_layout);
}

void CFunctionView::OnToggleToolbox() {
    if (g_nToolboxPage != 0) {
        g_nPreviousToolboxPage = g_nToolboxPage;
        g_nToolboxPage = 0;
        UpdateToolboxButtons();
        ApplyToolboxLayout(m_layout);
    } else {
        ShowToolboxPage(std::clamp(g_nPreviousToolboxPage, 1, ToolboxPageCount));
    }
}

void CFunctionView::OnSelchangeToolboxLayout(int layout) {
    g_nToolboxLayout = layout;
    if (layout == 1 && g_nToolboxPage == 0)
        g_nToolboxPage = std::clamp(g_nPreviousToolboxPage, 1, ToolboxPageCount);
    ApplyToolboxLayout(layout);
}

void CFunctionView::ClickToolboxButton(int id) {
    if (id == ToolboxToggle) {
        OnToggleToolbox();
        return;
    }
    for (int page = 0; page < ToolboxPageCount; ++page) {
        if (kToolboxPageButtons[page] == id) {
            ShowToolboxPage(page + 1);
            return;
        }
    }
    // The statement and edit buttons go on editing a typed Fn name; the others take it from the editor as another
    // box would: what was typed is committed first, and a blank Fn line goes.
    if (!ToolboxButtonKeepsPendingEdit(id) && !m_editor->CommitPendingEdits(true)) {
        m_editor->setFocus();
        return;
    }
    if (id == 1333)
        m_editor->MarkLineAsEvent();
    else if (id == 1335)
        m_editor->MarkLineAsState();
    // The flags are computed again: a button acts only when it may.
    else if (const int command = ToolboxButtonCommand(*m_model, id))
        m_editor->RunCommand(command);
    m_editor->setFocus();
}

void CFunctionView::UpdateToolboxButtons() {
    for (const ::ToolboxButton& button : kToolboxButtons) {
        if (button.page != 0)
            m_buttons.at(button.id)->setEnabled(IsToolboxButtonEnabled(*m_model, button.id));
    }
    FillCandidateBox();
}

void CFunctionView::FillCandidateBox() {
    m_filling = true;
    m_candidateBox->clear();
    const CLogicEditModel::ContextCandidates candidates = m_model->PrepareContextCandidates();
    QStringList words = candidates.words;
    if (candidates.category == 3)
        std::reverse(words.begin(), words.end());
    const bool listed = !words.isEmpty() && candidates.category >= 1 && candidates.category <= 3;
    if (listed)
        m_candidateBox->addItems(words);
    m_candidateBox->setEnabled(listed);
    m_filling = false;
}

void CFunctionView::OnSelchangeCandidate(int index) {
    if (m_filling || index < 0)
        return;
    m_editor->InsertCandidate(m_candidateBox->itemText(index));
    m_candidateBox->setEnabled(false);
    m_editor->setFocus();
}
