#pragma once

#include "chart/PictureTypes.h"
#include "chart/ViewText.h"
#include "picture/ViewPicture.h"
#include "record/Result.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QIODevice;
class QPainter;
class QRectF;

namespace sorkam::chart {

// A view's picture written to out: PNG at scale picture pixels to each layout pixel, SVG and PDF
// as lines and text, each with text saying what it shows (PNG text chunks; SVG title and
// description; PDF title, subject and XMP). paintRecords paints the records in their order and
// answers their legend, or nothing where it could not paint them all: then nothing is written.
// The whole picture is held until it is written, as Qt's generators hold it; an SVG is written
// as Qt writes it, not copied first. The failure says why the picture cannot be made or written.
using PaintRecords = std::function<std::optional<std::vector<LegendEntry>>(ViewPainter&)>;
[[nodiscard]] Result<void, std::string> writeViewFile(QIODevice& out, PictureFormat format,
                                                      const View& view, int scale,
                                                      const PictureText& text,
                                                      const PaintRecords& paintRecords);

// A page: the chart scaled to fit pageRect (in painter units), centred.
void fitChartOnPage(QPainter& painter, const QRectF& pageRect);

} // namespace sorkam::chart
