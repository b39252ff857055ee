#pragma once

#include "chart/PictureTypes.h"
#include "chart/ViewText.h"
#include "picture/ViewPicture.h"
#include "record/Result.h"

#include <QByteArray>

#include <functional>
#include <string>
#include <vector>

class QPainter;
class QRectF;

namespace sorkam::chart {

// A view's picture as file bytes: PNG at scale picture pixels to each layout pixel, SVG and PDF as
// lines and text, each with text saying what it shows (PNG text chunks; SVG title and
// description; PDF title, subject and XMP). paintRecords paints the records in their order and
// answers their legend. The failure says why the picture cannot be made.
using PaintRecords = std::function<std::vector<LegendEntry>(ViewPainter&)>;
[[nodiscard]] Result<QByteArray, std::string> viewFile(PictureFormat format, const View& view,
                                                       int scale, const PictureText& text,
                                                       const PaintRecords& paintRecords);

// A page: the chart scaled to fit pageRect (in painter units), centred.
void fitChartOnPage(QPainter& painter, const QRectF& pageRect);

} // namespace sorkam::chart
