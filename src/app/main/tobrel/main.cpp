// tobrel: converts the FreeMind map named on the command line into a NUV document beside it.

#include "app/NUVApp.h"
#include "app/ui/ProgramMain.h"

int main(int argc, char* argv[]) {
    RunApplicationProgram(argc, argv, [](CNUVApp& app, CWidgetShell&, const QStringList& arguments) {
        return app.InitInstance(arguments);
    });
}
