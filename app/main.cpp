// sorkam: the viewer. The whole command line is the data file's path.
#include "viewer/CommandLine.h"
#include "viewer/Commands.h"
#include "viewer/window/ViewerWindow.h"

#include <QApplication>
#include <QIcon>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string usage() {
    const char* const about =
        "Usage: sorkam [PATH]\n"
        "Shows the records of a data file of 5024-byte records as traces on two\n"
        "plots, VIDEO A (channels 1 and 3) and VIDEO B (channels 2 and 4), each record\n"
        "in its own colour.\n"
        "\n"
        "The whole command line is the data file's path: arguments are joined with\n"
        "single blanks and quotes are part of the name. Without a path an open-file\n"
        "dialog asks for the file.\n"
        "\n"
        "Keys (wherever the focus is; the plots' context menu lists the same commands):\n";
    const char* const rest =
        "On a plot: a click places cursor A (Shift: B) and a drag moves it, a drag\n"
        "from a cursor's line moves that cursor; Ctrl+wheel zooms the sample index and\n"
        "Ctrl+Shift+wheel the values around the pointer, Shift+wheel or a middle-button\n"
        "drag pans, a right-button rectangle zooms both axes to it.\n"
        "Resting the pointer on a plot shows the index and value under it and the\n"
        "samples of the record shown last; on the status line, the record's number and\n"
        "the file's record count.\n"
        "\n"
        "Exit status: 0 when closed; 1 after a file that cannot be read was reported,\n"
        "or when this text cannot be written; 2 when no display or platform plugin can\n"
        "be opened.\n"
        "\n"
        "Pictures, CSV and header listings from the command line: sorkam-export --help.\n";
    return about + sorkam::commandKeyList() + rest;
}

// Writes text to standard output and closes it; when any of it did not get there, says why on
// standard error and answers status 1.
int print(const std::string& text) {
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    const int writeError = errno;
    if (std::fclose(stdout) == 0 && written) {
        return 0;
    }
    const int error = writeError != 0 ? writeError : errno;
    std::fprintf(stderr, "sorkam: standard output: %s\n",
                 error != 0 ? std::strerror(error) : "cannot be written");
    return 1;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// What Qt says while it connects to the window system, held back until it has connected.
QStringList& startUpNotes() {
    static QStringList notes;
    return notes;
}

// Qt ends the program with its own advice when no window system answers; this says in one line
// which platform plugin is missing or which display was tried, and ends with status 2.
void noDisplay(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        startUpNotes().append(message);
        return;
    }
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? std::string(value) : std::string();
    };
    const std::string platform = variable("QT_QPA_PLATFORM");
    std::vector<std::string> notes;
    for (const QString& note : startUpNotes()) {
        notes.push_back(note.toStdString());
    }
    const std::string text =
        sorkam::noWindowSystemText(notes, platform.substr(0, platform.find(':')),
                                   variable("DISPLAY"), variable("WAYLAND_DISPLAY"));
    std::fprintf(stderr, "sorkam: %s\n", text.c_str());
    std::fflush(stderr);
    _exit(2);
}

} // namespace

int main(int argc, char** argv) {
    const std::string commandLine = sorkam::commandLineText(argc, argv);
    // A file of that name still opens.
    if ((commandLine == "--help" || commandLine == "-h") && !exists(commandLine)) {
        return print(usage());
    }
    if (commandLine == "--version" && !exists(commandLine)) {
        return print("sorkam " SORKAM_VERSION "\n");
    }

    // Qt would take its own options (-style, -display ...) out of the arguments; it gets none,
    // since they all belong to the path.
    char programName[] = "sorkam";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : programName, nullptr};
    const QtMessageHandler previous = qInstallMessageHandler(noDisplay);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    for (const QString& note : startUpNotes()) {
        std::fprintf(stderr, "%s\n", qPrintable(note));
    }
    // The window's first title and every box's caption, through applicationDisplayName(). Not
    // set as a display name of its own, which Qt would append to every window title.
    QApplication::setApplicationName(QStringLiteral("sorkam"));
    QApplication::setApplicationVersion(QStringLiteral(SORKAM_VERSION));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("sorkam"), QIcon(QStringLiteral(":/icons/sorkam.png"))));

    sorkam::ViewerWindow window;
    window.start(commandLine);
    if (const auto status = window.exitStatus()) {
        return *status;
    }
    window.show();
    return QApplication::exec();
}
