// tobrel: converts the FreeMind map named on the command line into a NUV document beside it.

#include "app/NUVApp.h"
#include "app/ui/ProgramMain.h"

int main(int argc, char* argv[]) {
    RunApplicationProgram(argc, argv, [](CNUVApp& app, CWidgetShell& shell, const QStringList& arguments) {
        if (!app.InitInstance(arguments))
            return false;
        // Once the document is saved (or nothing was converted) the close would ask nothing and write
        // nothing: the process ends here instead of tearing the document and the window down.
        if (!app.Document().IsModified())
            EndApplicationProgram(app, shell);
        return true;
    });
}
