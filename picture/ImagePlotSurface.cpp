// The fast raster behind the plot areas and the exported pictures. Why it is written by hand:
// QPainter, one call at a time, takes about 6.4 ms to paint the chart frame on both plot areas
// and 2.0 ms for a record's 3,204 trace segments; this surface takes about 40 us for each, the
// same pixels (tests/fast_surface_test.cpp compares them with plain QPainter calls).
// - Each line shape (the end's offset from the start) and each number is painted by QPainter
//   once, on a scratch picture; its pixels are kept and then written straight into the picture.
// - Points are written directly, keeping the last row and column for the grid's dots.
// - The vector-register state Qt leaves behind is cleared in one place, leaveWideVectorCode().
// The figures are make bench's (bench/sorkam_bench.cpp) on this project's 2-core machine.
#include "picture/ImagePlotSurface.h"

#include "picture/Fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdlib>
#include <span>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace sorkam {

namespace {

constexpr double kInchesPerMeter = 39.37;
// Line shapes up to this many columns across live in a table; wider ones in a map.
constexpr int kNear = 2;
// Room around a shape drawn on its scratch image, so QPainter never clips it.
constexpr int kMargin = 4;

bool isWhite(QRgb p) {
    return (p & 0xFFFFFFu) == 0xFFFFFFu;
}
bool hasInk(QRgb p) {
    return qAlpha(p) != 0;
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void zeroUpperHalves() {
    _mm256_zeroupper();
}
#endif

// Qt's fill and paint routines may return with the upper halves of the 256-bit vector registers
// still in use. Until they are cleared, this machine runs every SSE instruction after them (the
// pixel mapping is SSE) with a penalty: the frame's 12,056 dots on both surfaces took 84 us instead
// of 33 us. The surface calls this after its own calls into Qt (its picture copied to the screen
// included) and where a frame starts.
void leaveWideVectorCode() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    if (hasAvx) {
        zeroUpperHalves();
    }
#endif
}

} // namespace

void setDpi(QImage& picture, int dpi) {
    const int dotsPerMeter = static_cast<int>(dpi * kInchesPerMeter + 0.5);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
}

QColor toQColor(Color color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QFont ImagePlotSurface::labelFont() {
    return pictureFont(serifFont(kNumberPointSize, false));
}

QPen ImagePlotSurface::linePen(Color color) {
    QPen pen(toQColor(color));
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

ImagePlotSurface::ImagePlotSurface(QSize size, int dpi)
    : picture(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32), width(picture.width()),
      height(picture.height()) {
    setDpi(picture, dpi);
    picture.fill(toQColor(kBackground));
    refreshBits();
    // The platform's default scale counts pixels from the top-left corner.
    setScale(0.0f, 0.0f, static_cast<float>(width - 1), static_cast<float>(height - 1));
    nearShapes.resize(static_cast<std::size_t>((2 * kNear + 1) * (2 * height + 1)));
    const QFontMetrics metrics(font, &picture);
    textAscent = metrics.ascent();
}

void ImagePlotSurface::reset(QSize size, int dpi) {
    *this = ImagePlotSurface(size, dpi);
    // The picture's pixels moved with it; the kept line offsets hold this picture's row length.
    refreshBits();
}

void ImagePlotSurface::refreshBits() {
    leaveWideVectorCode();
    bits = reinterpret_cast<QRgb*>(picture.bits());
    stride = picture.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    lastRowBits = rowBits(lastRow);
}

QRgb* ImagePlotSurface::rowBits(int row) const {
    return static_cast<unsigned>(row) < static_cast<unsigned>(height) ? bits + row * stride
                                                                      : nullptr;
}

void ImagePlotSurface::paintOn(QPainter& painter, const QRectF& target,
                               const QRectF& source) const {
    painter.drawImage(target, picture, source);
    leaveWideVectorCode();
}

void ImagePlotSurface::setScale(float x1, float y1, float x2, float y2) {
    // A frame starts here, often straight after the window's own painting.
    leaveWideVectorCode();
    scale = {x1, y1, x2 - x1, y2 - y1};
    mapping = PixelMapping(scale, width, height);
    lastX = 0.0f;
    lastY = 0.0f;
    lastColumn = mapping.column(0.0f);
    lastRow = mapping.row(0.0f);
    lastRowBits = rowBits(lastRow);
}

const ImagePlotSurface::Shape& ImagePlotSurface::lineShape(int dx, int dy) {
    Shape& slot =
        std::abs(dx) <= kNear
            ? nearShapes[static_cast<std::size_t>((dx + kNear) * (2 * height + 1) + dy + height)]
            : farShapes[(static_cast<std::int64_t>(dx) << 32) + dy];
    return slot.known ? slot : keepLineShape(slot, dx, dy);
}

void ImagePlotSurface::paintShapeUnchecked(const Shape& shape, PixelPoint at, QRgb rgb) {
    QRgb* const start = bits + at.y * stride + at.x;
    const std::int32_t* o = offsets.data() + shape.firstOffset;
    for (std::uint32_t k = 0; k < shape.offsetBlocks; ++k, o += 4) {
        start[o[0]] = rgb;
        start[o[1]] = rgb;
        start[o[2]] = rgb;
        start[o[3]] = rgb;
    }
}

void ImagePlotSurface::drawLine(float x1, float y1, float x2, float y2, Color color) {
    const auto [a, b] = mapping.segment(x1, y1, x2, y2);
    if (inside(a) && inside(b)) [[likely]] {
        // Both ends inside: QPainter paints only between them, so the kept shape fits.
        const Shape& shape = lineShape(b.x - a.x, b.y - a.y);
        if (shape.withinEnds) [[likely]] {
            paintShapeUnchecked(shape, a, toRgb(color));
        } else {
            paintShape(shape, a, toRgb(color));
        }
        return;
    }
    paintClipped(a, b, color);
}

void ImagePlotSurface::paintClipped(PixelPoint a, PixelPoint b, Color color) {
    QPainter painter(&picture);
    painter.setPen(linePen(color));
    painter.drawLine(QPoint(a.x, a.y), QPoint(b.x, b.y));
    painter.end();
    refreshBits();
}

void ImagePlotSurface::drawPoint(float x, float y) {
    // The frame paints 6,028 dots a surface: the last column and row are kept, since its
    // grid paints rows of dots at one y and columns at one x.
    if (x != lastX) {
        lastX = x;
        lastColumn = mapping.column(x);
    }
    if (y != lastY) {
        lastY = y;
        lastRow = mapping.row(y);
        lastRowBits = rowBits(lastRow);
    }
    if (lastRowBits != nullptr &&
        static_cast<unsigned>(lastColumn) < static_cast<unsigned>(width)) {
        lastRowBits[lastColumn] = toRgb(kForegroundColor);
    }
}

void ImagePlotSurface::drawNumber(float x, float y, std::int16_t value) {
    paintShape(textShape(value), pixelAt(x, y), toRgb(kForegroundColor));
}

void ImagePlotSurface::clear() {
    picture.fill(toQColor(kBackground));
    refreshBits();
}

void ImagePlotSurface::drawPixels(const std::vector<std::uint32_t>& pixels, int pixelsWide,
                                  int pixelsTall) {
    if (pixelsWide != width || pixelsTall != height ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const std::uint32_t* from = pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (from[x] != 0) {
                row[x] = from[x];
            }
        }
    }
    refreshBits();
}

ImagePlotSurface::Shape ImagePlotSurface::shapeFrom(const QImage& scratch, QPoint origin,
                                                    bool (*painted)(QRgb)) {
    Shape shape;
    shape.first = static_cast<std::uint32_t>(runs.size());
    for (int x = 0; x < scratch.width(); ++x) {
        for (int y = 0; y < scratch.height(); ++y) {
            if (!painted(scratch.pixel(x, y))) {
                continue;
            }
            const int top = y;
            while (y + 1 < scratch.height() && painted(scratch.pixel(x, y + 1))) {
                ++y;
            }
            runs.push_back({static_cast<std::int16_t>(x - origin.x()),
                            static_cast<std::int16_t>(top - origin.y()),
                            static_cast<std::int16_t>(y - top + 1)});
        }
    }
    shape.count = static_cast<std::uint32_t>(runs.size()) - shape.first;
    shape.known = true;
    return shape;
}

QImage ImagePlotSurface::paintedLine(int dx, int dy, QPoint& origin) {
    QImage scratch(std::abs(dx) + 2 * kMargin + 1, std::abs(dy) + 2 * kMargin + 1,
                   QImage::Format_RGB32);
    scratch.fill(Qt::black);
    origin = QPoint(dx < 0 ? -dx + kMargin : kMargin, dy < 0 ? -dy + kMargin : kMargin);
    QPainter painter(&scratch);
    painter.setPen(linePen(0xFFFFFF));
    painter.drawLine(origin, origin + QPoint(dx, dy));
    painter.end();
    return scratch;
}

const ImagePlotSurface::Shape& ImagePlotSurface::keepLineShape(Shape& slot, int dx, int dy) {
    QPoint origin;
    const QImage scratch = paintedLine(dx, dy, origin);
    slot = shapeFrom(scratch, origin, isWhite);
    leaveWideVectorCode();
    slot.withinEnds = std::all_of(
        runs.begin() + slot.first, runs.begin() + slot.first + slot.count, [dx, dy](const Run& o) {
            return o.dx >= std::min(0, dx) && o.dx <= std::max(0, dx) && o.dy >= std::min(0, dy) &&
                   o.dy + o.count - 1 <= std::max(0, dy);
        });
    if (slot.withinEnds) {
        slot.firstOffset = static_cast<std::uint32_t>(offsets.size());
        for (const Run& run : std::span(runs).subspan(slot.first, slot.count)) {
            for (int k = 0; k < run.count; ++k) {
                offsets.push_back(static_cast<std::int32_t>((run.dy + k) * stride + run.dx));
            }
        }
        // Painting a pixel twice leaves the same picture: the last block is filled up with
        // repeats, so that short lines, the most common, take one pass.
        while ((offsets.size() - slot.firstOffset) % 4 != 0) {
            offsets.push_back(offsets.back());
        }
        slot.offsetBlocks = static_cast<std::uint32_t>(offsets.size() - slot.firstOffset) / 4;
    }
    return slot;
}

const ImagePlotSurface::Shape& ImagePlotSurface::textShape(std::int16_t value) {
    Shape& slot = textShapes[value];
    if (!slot.known) {
        const QString text = QString::fromStdString(printedNumber(value));
        const QFontMetrics metrics(font, &picture);
        QImage scratch(metrics.horizontalAdvance(text) + 4 * kMargin,
                       metrics.height() + 4 * kMargin, QImage::Format_ARGB32_Premultiplied);
        scratch.setDotsPerMeterX(picture.dotsPerMeterX());
        scratch.setDotsPerMeterY(picture.dotsPerMeterY());
        scratch.fill(Qt::transparent);
        const QPoint origin(2 * kMargin, 2 * kMargin);
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(toQColor(kForegroundColor));
        painter.drawText(origin + QPoint(0, textAscent), text);
        painter.end();
        slot = shapeFrom(scratch, origin, hasInk);
        leaveWideVectorCode();
    }
    return slot;
}

void ImagePlotSurface::paintShape(const Shape& shape, PixelPoint at, QRgb rgb) {
    const Run* first = runs.data() + shape.first;
    paintRuns(first, first + shape.count, at, width, height,
              [this, rgb](int x, int y) { bits[y * stride + x] = rgb; });
}

} // namespace sorkam
