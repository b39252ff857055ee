// sorkam-export: pictures, numbers and header listings of a data file's records, for reports,
// spreadsheets and scripts. Needs no display: it paints off screen.
#include "ExportCommands.h"
#include "RecordSelection.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace {

using namespace sorkam;
using namespace sorkam::exporting;

// Qt's own notes (such as a missing runtime directory on a headless machine) are not for this
// tool's users: stderr carries only its one-line messages and Qt's fatal errors.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "sorkam-export: %s\n", qPrintable(message));
    }
}

int fail(const std::string& message, int status) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return status;
}

int usage(const QCommandLineParser& parser, const QString& why) {
    std::fprintf(stderr, "sorkam-export: %s\n\n%s", qPrintable(why), qPrintable(parser.helpText()));
    return kUsage;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietQt);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("sorkam-export"));
    QGuiApplication::setApplicationVersion(QStringLiteral(SORKAM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Exports records of a sorkam data file.\n\n"
        "  info FILE                       file length, records present, header texts\n"
        "  png FILE -r SEL -o OUT.png      the selected records over one frame\n"
        "  png FILE -r SEL --each DIR      one picture per record in DIR\n"
        "  csv FILE -r SEL [-o OUT.csv]    the samples, one row per record and index\n\n"
        "SEL is N, N,M,... or A-B, or a mix such as 0,3-5."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("info, png or csv"));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("the data file"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("info as JSON"));
    const QCommandLineOption records({QStringLiteral("r"), QStringLiteral("records")},
                                     QStringLiteral("the records to export"),
                                     QStringLiteral("SEL"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("output file (csv: - or none for stdout)"),
                                    QStringLiteral("OUT"));
    const QCommandLineOption each(QStringLiteral("each"),
                                  QStringLiteral("png: one picture per record into DIR"),
                                  QStringLiteral("DIR"));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("png: 1, or 2 for high-density screens"),
                                   QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({json, records, output, each, scale});
    if (!parser.parse(QCoreApplication::arguments())) {
        return usage(parser, parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(parser.helpText()));
        return kOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("sorkam-export %s\n", SORKAM_VERSION);
        return kOk;
    }
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2) {
        return usage(parser, QStringLiteral("needs a command and one data file"));
    }
    const QString command = args.at(0);
    const std::string file = QFile::encodeName(args.at(1)).toStdString();

    if (command == QStringLiteral("info")) {
        const auto failed = info(file, parser.isSet(json), std::cout);
        return failed ? fail(failed->message, failed->status) : kOk;
    }
    if (command != QStringLiteral("png") && command != QStringLiteral("csv")) {
        return usage(parser, QStringLiteral("unknown command: ") + command);
    }
    if (!parser.isSet(records)) {
        return usage(parser, command + QStringLiteral(" needs the records: -r SEL"));
    }
    const auto selected = parseRecordSelection(parser.value(records).toStdString());
    if (!selected) {
        return usage(parser, QStringLiteral("not a record selection: ") + parser.value(records));
    }

    if (command == QStringLiteral("csv")) {
        const std::string out =
            parser.isSet(output) ? QFile::encodeName(parser.value(output)).toStdString() : "-";
        const auto failed = exporting::csv(file, *selected, out, std::cout);
        return failed ? fail(failed->message, failed->status) : kOk;
    }

    bool scaleOk = false;
    const int factor = parser.value(scale).toInt(&scaleOk);
    if (!scaleOk || factor < 1 || factor > 4) {
        return usage(parser, QStringLiteral("--scale takes 1 to 4"));
    }
    if (parser.isSet(each) == parser.isSet(output)) {
        return usage(parser, QStringLiteral("png needs either -o OUT.png or --each DIR"));
    }
    if (parser.isSet(each)) {
        const bool terminal = isatty(STDERR_FILENO) != 0;
        const auto failed =
            pngEach(file, *selected, QFile::encodeName(parser.value(each)).toStdString(), factor,
                    [terminal](std::size_t done, std::size_t total) {
                        if (terminal && (done % 16 == 0 || done == total)) {
                            std::fprintf(stderr, "\rrecord %zu of %zu%s", done, total,
                                         done == total ? "\n" : "");
                        }
                    });
        return failed ? fail(failed->message, failed->status) : kOk;
    }
    const auto failed =
        png(file, *selected, QFile::encodeName(parser.value(output)).toStdString(), factor);
    return failed ? fail(failed->message, failed->status) : kOk;
}
