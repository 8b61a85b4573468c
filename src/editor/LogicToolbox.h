#pragma once

#include <QString>

#include <array>

class CLogicEditModel;

// The toolbox of the logic form: 37 buttons in a toggle, five page buttons and five pages of statement and
// edit buttons. Which are enabled and which command a button runs are decided here from the model.
struct ToolboxButton {
    int id = 0;
    int page = 0; // 1 to 5; 0 for the toggle and the page buttons
};

constexpr int ToolboxToggle = 1208;
constexpr int ToolboxPageCount = 5;
// The page buttons, page 1 to 5.
constexpr std::array<int, ToolboxPageCount> kToolboxPageButtons = {1320, 1321, 1322, 1323, 1341};
// Every button in the order its page lays it out.
constexpr std::array<ToolboxButton, 37> kToolboxButtons = {{
    {1208, 0}, {1320, 0}, {1321, 0}, {1322, 0}, {1323, 0}, {1341, 0}, {1209, 1}, {1210, 1}, {1211, 1}, {1212, 1},
    {1213, 1}, {1214, 1}, {1215, 1}, {1217, 2}, {1218, 2}, {1219, 2}, {1220, 2}, {1221, 2}, {1324, 2}, {1325, 3},
    {1326, 3}, {1327, 3}, {1328, 3}, {1329, 3}, {1330, 3}, {1331, 3}, {1332, 4}, {1334, 4}, {1336, 4}, {1337, 4},
    {1338, 4}, {1339, 4}, {1340, 4}, {1333, 5}, {1335, 5}, {1342, 5}, {1343, 5},
}};

// Whether the button may be pressed now. The toggle and page buttons always may.
bool IsToolboxButtonEnabled(const CLogicEditModel& model, int button);
// The editor command the button runs now: the statement buttons fill the append line when the caret stands
// on it and add after the caret line otherwise; 0 when the button is disabled or runs no editor command.
int ToolboxButtonCommand(const CLogicEditModel& model, int button);

// Whether pressing the button leaves a typed Fn name pending, not committed, with a blank Fn line kept: the
// statement, page and edit buttons go on editing it. Event, State, exitlp, Transit State and the replacement by
// Transit State commit it first.
bool ToolboxButtonKeepsPendingEdit(int button);

// Whether the caret stands on an Fn line with a name whose unit function may be chosen among those of that
// name, which the document allows only when names may repeat.
bool CanSelectSameNamedFunction(const CLogicEditModel& model);

// Whether the caret stands in the member name, not empty, of an if, Do, switch or Transit State line.
bool IsCaretInMemberName(const CLogicEditModel& model);
// The name the registration command registers: the text of the caret's slot; empty when the caret stands in no
// member name.
QString MemberNameAtCaret(const CLogicEditModel& model);
// Asks whether the member name and the state names used with it are to be registered; true on OK.
bool ConfirmMemberNameRegistration(const QString& name);

// Level colour of an if guide: 0, 1 or 2 by the nesting its column gives, cycling every three levels. An
// indent of 0 gives level 0 everywhere.
int GuideLevelColour(int top, int indent);

// Flips one line-mark bit (0 to 14) of a line record and marks the document modified.
void ToggleLineMark(CLogicEditModel& model, int line, int mark);
// Stores what the line-mark editor returns for a line, each text cut to what a line holds, and marks the
// document modified.
void SetLineMarkTexts(CLogicEditModel& model, int line, const QString& memo, const std::array<QString, 3>& files);
// Takes every mark, the memo and the file names off a line and marks the document modified.
void DeleteLineMarks(CLogicEditModel& model, int line);
