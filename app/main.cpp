#include "../viewer/CommandLine.h"
#include "../viewer/FrmMaske.h"
#include "../viewer/QtDialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    const std::string commandLine = sorkam::commandLineText(argc, argv);
    // Qt would take its own options (-style, -display ...) out of the arguments; it gets none,
    // since they all belong to the path.
    char programName[] = "sorkam";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : programName, nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("sorkam"));

    sorkam::QtDialogs dialogs;
    sorkam::FrmMaske window(dialogs);
    window.Form_Load(commandLine);
    if (const auto status = window.exitStatus()) {
        return *status;
    }
    window.show();
    return QApplication::exec();
}
