#pragma once

#include "chart/ChartLayout.h"
#include "plot/ImagePlotSurface.h"
#include "record/RecordFile.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>

namespace sorkam::exporting {

// The viewer's two plot areas with their "VIDEO A" and "VIDEO B" captions, laid out as in the
// window, painted by the viewer's own surfaces, frame and traces. scale 2 gives a picture for a
// high-density screen: twice the pixels, lines still one pixel wide, text twice as large.
class PlotPicture {
public:
    explicit PlotPicture(int scale = 1);

    // Paints a record's traces in the colour of record number n over what is there.
    void add(const Record& record, std::int64_t n);
    // Back to the bare frame, as a new picture has it. Cheaper than a new picture, which has to
    // learn its line shapes and captions again.
    void clear();
    // The two captions and plot areas as one picture.
    [[nodiscard]] QImage image() const;

private:
    chart::Resolution resolution;
    std::unique_ptr<ImagePlotSurface> plotA;
    std::unique_ptr<ImagePlotSurface> plotB;
    QImage captions; // the picture without its plot areas
};

// A picture as PNG file bytes; empty when it cannot be encoded. A picture of at most 256 colours,
// as plot pictures are, is written with a palette: half the size of a full-colour file, and quicker
// to write.
[[nodiscard]] QByteArray pngBytes(const QImage& picture);

} // namespace sorkam::exporting
