// folivex: the window on a desktop; `folivex --convert ...` on the command line.
#include "app/tform1.h"
#include "cli/convertcommand.h"
#include "core/freedmemory.h"
#include "platform/hostprocess.h"
#include "settings/settingsdialog.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char **argv)
{
    folivex::RetainFreedMemory();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (folivex::cli::WantsCommandLine(arguments)) {
        QCoreApplication app(argc, argv);
        return folivex::cli::RunConvertCommand(arguments, stdout, stderr);
    }
    QApplication app(argc, argv);
    // The window converts one document after the other.
    folivex::automation::AllowRenderWorkers();
    QApplication::setApplicationName("Folivex");
    QApplication::setDesktopFileName("folivex");
    folivex::app::TForm1 form1;
    folivex::settings::TForm2 form2(&form1);
    form1.SetSettingsDialog(&form2);
    // Files and folders named on the command line (a desktop's "Open with")
    // start in the list.
    for (const std::string &path : arguments)
        form1.AddPath(QString::fromStdString(path));
    form1.show();
    return app.exec();
}
