// sorkam-export: pictures, numbers and header listings of a data file's records, for reports,
// spreadsheets and scripts. Loads no toolkit: its PNG pictures are painted from the chart,
// trace shapes and glyphs kept at build time, and its SVG and PDF documents written by hand.
#include "export/ExportProgram.h"

int main(int argc, char** argv) {
    return sorkam::exporting::runExport(argc, argv);
}
