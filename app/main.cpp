// sorkam: the viewer. The whole command line is the data file's path.
#include "viewer/CommandLine.h"
#include "viewer/ViewerWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    const std::string commandLine = sorkam::commandLineText(argc, argv);
    // Qt would take its own options (-style, -display ...) out of the arguments; it gets none,
    // since they all belong to the path.
    char programName[] = "sorkam";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : programName, nullptr};
    QApplication app(qtArgc, qtArgv);
    // The window's first title and every box's caption, through applicationDisplayName(). Not
    // set as a display name of its own, which Qt would append to every window title.
    QApplication::setApplicationName(QStringLiteral("sorkam"));

    sorkam::ViewerWindow window;
    window.start(commandLine);
    if (const auto status = window.exitStatus()) {
        return *status;
    }
    window.show();
    return QApplication::exec();
}
