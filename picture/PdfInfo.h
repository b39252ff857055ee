#pragma once

#include <QByteArray>
#include <QString>

namespace sorkam::chart {

// A PDF text string: UTF-16 with its byte-order mark, in hexadecimal ("<FEFF0041>").
[[nodiscard]] QByteArray pdfText(const QString& text);

// The document with a subject in its information dictionary, which Qt's PDF writer has no
// setting for: written after the title, and the cross-reference table's offsets past it moved by
// as much. As it was, where the document is not laid out as Qt writes it.
[[nodiscard]] QByteArray pdfWithSubject(const QByteArray& pdf, const QString& subject);

} // namespace sorkam::chart
