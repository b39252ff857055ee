// sorkam-export-painter: the PNG pictures sorkam-export hands over (a view's legend, cursors,
// zoomed ranges or a density), painted with the toolkit as the viewer paints them. Takes
// sorkam-export's command line and answers as sorkam-export.
#include "export/ExportProgram.h"
#include "export/painter/ViewCommands.h"
#include "picture/ChartFonts.h"

#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>

#include <unistd.h>

int main(int argc, char** argv) {
    // Pictures only: no display is needed or used. The toolkit's notes on its set-up ("no
    // runtime folder") are no concern of a script's; its errors are still told.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            // The first line only: Qt's advice on its plugins would follow.
            std::fprintf(stderr, "sorkam-export: %s\n",
                         text.section(QLatin1Char('\n'), 0, 0).toLocal8Bit().constData());
        }
        if (type == QtFatalMsg) {
            // Qt would abort with a core dump: a missing offscreen platform plugin, say.
            std::fflush(stderr);
            _exit(sorkam::exporting::kNoPainter);
        }
    });
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    // Without a font the captions, numbers and legend would come out as boxes, or not at all.
    if (QFontInfo(sorkam::chart::captionFont()).family().isEmpty()) {
        std::fprintf(stderr, "sorkam-export: no font can be found: pictures need a serif face "
                             "(Debian's fonts-liberation)\n");
        return sorkam::exporting::kNoPainter;
    }
    return sorkam::exporting::runExport(argc, argv, sorkam::exporting::viewPicture);
}
