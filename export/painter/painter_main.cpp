// sorkam-export-painter: the pictures sorkam-export hands over (svg, pdf, and png with a view's
// legend, cursors or range), painted with the toolkit as the viewer paints them. Takes
// sorkam-export's command line and answers as sorkam-export.
#include "export/ExportProgram.h"
#include "export/painter/ViewCommands.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Pictures only: no display is needed or used. The toolkit's notes on its set-up ("no
    // runtime folder") are no concern of a script's; its errors are still told.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "sorkam-export: %s\n", text.toLocal8Bit().constData());
        }
    });
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    return sorkam::exporting::runExport(argc, argv, sorkam::exporting::viewPicture);
}
