#pragma once

#include "chart/ViewText.h"
#include "picture/ViewPicture.h"
#include "record/Result.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QIODevice;
class QPainter;
class QRectF;

namespace sorkam::chart {

// A view's picture written to out as PNG at scale picture pixels to each layout pixel, with text
// chunks saying what it shows. paintRecords paints the records in their order and answers their
// legend, or nothing where it could not paint them all: then nothing is written. The failure
// says why the picture cannot be made or written. (SVG and PDF are written by hand, in vector/.)
using PaintRecords = std::function<std::optional<std::vector<LegendEntry>>(ViewPainter&)>;
[[nodiscard]] Result<void, std::string> writeViewPng(QIODevice& out, const View& view, int scale,
                                                     const PictureText& text,
                                                     const PaintRecords& paintRecords);

// A page: the chart scaled to fit pageRect (in painter units), centred.
void fitChartOnPage(QPainter& painter, const QRectF& pageRect);

} // namespace sorkam::chart
