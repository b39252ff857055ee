#include "../viewer/FrmMaske.h"
#include "../viewer/QtDialogs.h"

#include <QApplication>

#include <string>

namespace {

// The data file's path is the whole argument text: the arguments joined by single spaces, bytes
// as they are. The program has no options of its own, so nothing may be taken away from it.
std::string commandLineText(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const std::string commandLine = commandLineText(argc, argv);
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
