// Prints the MIME type the shared-mime-info database (XDG_DATA_DIRS) gives each file named.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QMimeDatabase database;
    for (int i = 1; i < argc; ++i) {
        const QString type = database.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name();
        if (std::printf("%s\n", qPrintable(type)) < 0) {
            return 1;
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
