#pragma once

#include "plot/ImagePlotSurface.h"
#include "record/RecordFile.h"

#include <QImage>

#include <cstdint>
#include <memory>

namespace sorkam {

// The viewer's two plot areas with their "VIDEO A" and "VIDEO B" captions, laid out as in the
// window, painted by the viewer's own surfaces, frame and traces. scale 2 gives a picture for a
// high-density screen: twice the pixels, lines still one pixel wide, text twice as large.
class PlotPicture {
public:
    explicit PlotPicture(int scale = 1);

    // Paints a record's traces in the colour of record number n over what is there.
    void add(const Record& record, std::int64_t n);
    // The two captions and plot areas as one picture.
    [[nodiscard]] QImage image() const;

private:
    int scale;
    std::unique_ptr<ImagePlotSurface> pic0;
    std::unique_ptr<ImagePlotSurface> pic1;
};

} // namespace sorkam
