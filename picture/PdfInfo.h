#pragma once

#include <QByteArray>
#include <QString>

namespace sorkam::chart {

// The title Qt's PDF writer is given, which pdfWithInformation replaces: plain ASCII, so the bytes
// Qt writes for it are known whatever the real title holds.
inline constexpr char kPdfTitlePlaceholder[] = "sorkam-pdf-title";

// A PDF text string: UTF-16 with its byte-order mark, in hexadecimal ("<FEFF0041>").
[[nodiscard]] QByteArray pdfText(const QString& text);

// The document with title and subject in its information dictionary as hexadecimal text strings,
// in place of the placeholder title Qt's writer was given (Qt writes a title's UTF-16 as raw bytes,
// which a name can make ambiguous, and has no setting for a subject), and the cross-reference
// table's offsets past them moved to match. Empty where the document does not hold the
// placeholder title as Qt writes it.
[[nodiscard]] QByteArray pdfWithInformation(const QByteArray& pdf, const QString& title,
                                            const QString& subject);

} // namespace sorkam::chart
