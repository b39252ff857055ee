// Writes the export tool's chart tables (export/ChartTables.h) as C++ source: the bare chart at
// scales 1 to 4 and the shapes of every trace segment, from the viewer's own surface, frame and
// fonts. Fails, so the build fails, where the serif face the chart is drawn in is missing: a
// picture with boxes for digits is never built in. With --fonts, the measures of the chart's faces
// that vector pictures written by hand lay their text out with (vector/FontTables.h).
//   make_chart_tables OUTPUT.cpp
//   make_chart_tables --fonts OUTPUT.cpp
#include "chart/ChartLayout.h"
#include "picture/ChartFonts.h"
#include "picture/ChartPicture.h"
#include "picture/Fonts.h"
#include "picture/ImagePlotSurface.h"
#include "raster/ChartTables.h"
#include "vector/FontTables.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace sorkam;

// Bytes as a C++ string literal, in lines of reasonable length.
std::string literal(const std::vector<unsigned char>& bytes) {
    std::string text = "\n    \"";
    int column = 0;
    for (const unsigned char b : bytes) {
        char escaped[8];
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '?') {
            escaped[0] = static_cast<char>(b);
            escaped[1] = '\0';
        } else {
            std::snprintf(escaped, sizeof escaped, "\\%03o", b);
        }
        text += escaped;
        column += static_cast<int>(std::string(escaped).size());
        if (column > 90) {
            text += "\"\n    \"";
            column = 0;
        }
    }
    return text + "\"";
}

struct Indexed {
    std::vector<std::uint32_t> palette;
    std::vector<unsigned char> pixels;
};

Indexed indexed(const QImage& picture) {
    Indexed out;
    std::map<std::uint32_t, unsigned char> index;
    out.pixels.reserve(static_cast<std::size_t>(picture.width()) * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t rgb = picture.pixel(x, y) & 0xFFFFFFu;
            auto found = index.find(rgb);
            if (found == index.end()) {
                if (out.palette.size() == 256) {
                    std::fprintf(stderr, "make_chart_tables: the chart has over 256 colours\n");
                    std::exit(1);
                }
                found = index.emplace(rgb, static_cast<unsigned char>(out.palette.size())).first;
                out.palette.push_back(rgb);
            }
            out.pixels.push_back(found->second);
        }
    }
    return out;
}

std::vector<unsigned char> compressed(const std::vector<unsigned char>& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::vector<unsigned char> out(size);
    if (compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 9) != Z_OK) {
        std::fprintf(stderr, "make_chart_tables: cannot compress the chart\n");
        std::exit(1);
    }
    out.resize(size);
    return out;
}

std::string bareCharts() {
    std::string text;
    std::string table = "const BareChartTable kBareCharts[kLargestScale] = {\n";
    for (int scale = 1; scale <= chart::kLargestScale; ++scale) {
        const chart::BareChart chart = chart::bareChart(scale);
        const Indexed colours = indexed(chart.picture);
        const std::vector<unsigned char> pixels = compressed(colours.pixels);
        const std::string n = std::to_string(scale);
        text += "const std::uint32_t kPalette" + n + "[] = {";
        for (const std::uint32_t c : colours.palette) {
            text += std::to_string(c) + "u, ";
        }
        text += "};\nconst unsigned char kPixels" + n + "[] =" + literal(pixels) + ";\n\n";
        table += "    {" + std::to_string(chart.picture.width()) + ", " +
                 std::to_string(chart.picture.height()) + ", " + std::to_string(chart.dpi) + ", " +
                 std::to_string(chart.plotA.left()) + ", " + std::to_string(chart.plotA.top()) +
                 ", " + std::to_string(chart.plotB.left()) + ", " +
                 std::to_string(chart.plotB.top()) + ", " + std::to_string(chart.plotA.width()) +
                 ", " + std::to_string(chart.plotA.height()) + ", kPalette" + n + ", " +
                 std::to_string(colours.palette.size()) + ", kPixels" + n + ", sizeof kPixels" + n +
                 " - 1},\n";
    }
    return text + table + "};\n";
}

std::string shapes() {
    std::string runs = "const ShapeRun kShapeRuns[] = {\n";
    std::string first = "const std::uint32_t kShapeFirst[] = {\n";
    std::uint32_t count = 0;
    for (int dx = 0; dx <= chart::kShapeMaxDx; ++dx) {
        for (int dy = -chart::kShapeMaxDy; dy <= chart::kShapeMaxDy; ++dy) {
            first += std::to_string(count) + ",";
            QPoint origin;
            const QImage line = ImagePlotSurface::paintedLine(dx, dy, origin);
            for (int x = 0; x < line.width(); ++x) {
                for (int y = 0; y < line.height(); ++y) {
                    if ((line.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) {
                        continue;
                    }
                    const int top = y;
                    while (y + 1 < line.height() &&
                           (line.pixel(x, y + 1) & 0xFFFFFFu) == 0xFFFFFFu) {
                        ++y;
                    }
                    runs += "{" + std::to_string(x - origin.x()) + "," +
                            std::to_string(top - origin.y()) + "," + std::to_string(y - top + 1) +
                            "},";
                    ++count;
                }
            }
            runs += "\n";
        }
        first += "\n";
    }
    return runs + "};\n" + first + std::to_string(count) + "};\n";
}

// The characters vector pictures measure: printable ASCII, the rest of the Windows Western code
// page, and the chart's own signs.
std::vector<char32_t> faceCharacters() {
    std::vector<char32_t> characters;
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        characters.push_back(c);
    }
    for (const char32_t c :
         {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
          0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178, 0x2212, 0xFFFD}) {
        characters.push_back(c);
    }
    for (char32_t c = 0xA0; c <= 0xFF; ++c) {
        characters.push_back(c);
    }
    std::sort(characters.begin(), characters.end());
    return characters;
}

std::string faceTable(const char* name, const QFont& font,
                      const std::vector<char32_t>& characters) {
    const QFontMetrics metrics(font);
    std::string advances = "const std::uint16_t k" + std::string(name) + "Advances[] = {";
    for (const char32_t c : characters) {
        advances += std::to_string(metrics.horizontalAdvance(QString::fromUcs4(&c, 1))) + ",";
    }
    const double size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    return advances + "};\nconst FaceTable k" + name + "{" + std::to_string(size) + ", " +
           std::to_string(metrics.ascent()) + ", " + std::to_string(metrics.height()) + ", " +
           std::to_string(QFontMetricsF(font).ascent()) + ", k" + name + "Advances};\n";
}

// One face's glyphs at a scale, drawn as pictures of that scale draw text (at 96 dpi times the
// scale), as raster/ChartTables.h keeps them.
std::string glyphFace(const std::string& name, QFont font, int scale,
                      const std::vector<char32_t>& characters) {
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    setDpi(probe, 96 * scale);
    const QFontMetrics metrics(font, &probe);
    std::string records = "const GlyphRecord k" + name + "Glyphs[] = {\n";
    std::vector<unsigned char> coverage;
    for (const char32_t c : characters) {
        const QString text = QString::fromUcs4(&c, 1);
        const int margin = 4 * scale;
        QImage scratch(metrics.horizontalAdvance(text) + 4 * margin, metrics.height() + 2 * margin,
                       QImage::Format_ARGB32_Premultiplied);
        setDpi(scratch, 96 * scale);
        scratch.fill(Qt::transparent);
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QPoint pen(2 * margin, margin + metrics.ascent());
        painter.drawText(pen, text);
        painter.end();
        int left = scratch.width();
        int right = -1;
        int top = scratch.height();
        int bottom = -1;
        for (int y = 0; y < scratch.height(); ++y) {
            for (int x = 0; x < scratch.width(); ++x) {
                if (qAlpha(scratch.pixel(x, y)) != 0) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        const int width = right >= left ? right - left + 1 : 0;
        const int height = bottom >= top ? bottom - top + 1 : 0;
        records += "{" + std::to_string(metrics.horizontalAdvance(text)) + "," +
                   std::to_string(width > 0 ? left - pen.x() : 0) + "," +
                   std::to_string(height > 0 ? top - pen.y() : 0) + "," + std::to_string(width) +
                   "," + std::to_string(height) + "," + std::to_string(coverage.size()) + "},\n";
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                coverage.push_back(static_cast<unsigned char>(qAlpha(scratch.pixel(x, y))));
            }
        }
    }
    const std::vector<unsigned char> packed = compressed(coverage);
    return records + "};\nconst unsigned char k" + name + "Coverage[] =" + literal(packed) +
           ";\nconst GlyphFaceTable k" + name + "{" + std::to_string(metrics.ascent()) + ", " +
           std::to_string(metrics.height()) + ", k" + name + "Glyphs, k" + name +
           "Coverage, sizeof k" + name + "Coverage - 1, " + std::to_string(coverage.size()) +
           "};\n";
}

// The characters as a table, k<name>Characters, and their count, k<name>CharacterCount.
std::string characterTable(const std::string& name, const std::vector<char32_t>& characters) {
    std::string text = "const char32_t k" + name + "Characters[] = {";
    for (const char32_t c : characters) {
        text += std::to_string(c) + ",";
    }
    return text + "};\nconst std::size_t k" + name +
           "CharacterCount = " + std::to_string(characters.size()) + ";\n";
}

// Every face's glyphs at scales 1 to 4 (raster/ChartTables.h).
std::string glyphTables() {
    const std::vector<char32_t> characters = faceCharacters();
    std::string text = characterTable("Glyph", characters);
    QFont bold = pictureFont(chart::windowFont());
    bold.setBold(true);
    const QFont faces[] = {pictureFont(chart::windowFont()), bold, ImagePlotSurface::labelFont()};
    std::string table = "const GlyphFaceTable kGlyphFaces[kGlyphFaceCount][kLargestScale] = {\n";
    for (int face = 0; face < 3; ++face) {
        table += "{";
        for (int scale = 1; scale <= chart::kLargestScale; ++scale) {
            const std::string name =
                "Face" + std::to_string(face) + "Scale" + std::to_string(scale);
            text += glyphFace(name, faces[face], scale, characters);
            table += "k" + name + ",";
        }
        table += "},\n";
    }
    return text + table + "};\n";
}

// The faces vector pictures lay their text out with (vector/FontTables.h).
std::string fontTables() {
    const std::vector<char32_t> characters = faceCharacters();
    const std::string text = characterTable("Face", characters);
    QFont bold = layoutPixelFont(chart::windowFont());
    bold.setBold(true);
    return text + faceTable("WindowFace", layoutPixelFont(chart::windowFont()), characters) +
           faceTable("WindowBoldFace", bold, characters) +
           faceTable("NumberFace", layoutPixelFont(ImagePlotSurface::labelFont()), characters) +
           faceTable("CaptionFace", layoutPixelFont(chart::captionFont()), characters);
}

} // namespace

int main(int argc, char** argv) {
    const bool fonts = argc == 3 && std::string(argv[1]) == "--fonts";
    if (argc != 2 && !fonts) {
        std::fprintf(stderr, "usage: make_chart_tables OUTPUT.cpp | --fonts OUTPUT.cpp\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    const QString face = QFontInfo(chart::captionFont()).family();
    if (!face.contains(QLatin1String("Liberation Serif")) &&
        !face.contains(QLatin1String("Times"))) {
        std::fprintf(stderr,
                     "make_chart_tables: the chart's serif face is missing (found \"%s\"); "
                     "install fonts-liberation\n",
                     qPrintable(face));
        return 1;
    }
    const char* path = argv[argc - 1];
    std::ofstream out(path, std::ios::binary);
    if (fonts) {
        out << "// Written by tools/make_chart_tables at build time; do not edit.\n"
               "#include \"vector/FontTables.h\"\n\nnamespace sorkam::chart {\n\n"
            << fontTables() << "\n} // namespace sorkam::chart\n";
    } else {
        out << "// Written by tools/make_chart_tables at build time; do not edit.\n"
               "#include \"raster/ChartTables.h\"\n\nnamespace sorkam::chart {\n\n"
            << shapes() << "\n"
            << bareCharts() << "\n"
            << glyphTables() << "\n} // namespace sorkam::chart\n";
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_chart_tables: cannot write %s\n", path);
        return 1;
    }
    return 0;
}
