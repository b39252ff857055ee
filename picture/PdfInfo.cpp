#include "picture/PdfInfo.h"

#include <QList>

namespace sorkam::chart {

namespace {

// The title entry as Qt's writer writes the placeholder: "(", the byte-order mark, its UTF-16
// big-endian bytes, ")".
QByteArray placeholderEntry() {
    QByteArray entry = "\n/Title (\xFE\xFF";
    for (const char c : QByteArray(kPdfTitlePlaceholder)) {
        entry += '\0';
        entry += c;
    }
    return entry + ")";
}

} // namespace

QByteArray pdfText(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text) {
        hex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    }
    return hex + ">";
}

QByteArray pdfWithInformation(const QByteArray& pdf, const QString& title, const QString& subject) {
    const QByteArray placeholder = placeholderEntry();
    const qsizetype at = pdf.indexOf(placeholder);
    const qsizetype xrefMark = pdf.lastIndexOf("\nstartxref\n");
    if (at < 0 || xrefMark < at) {
        return {};
    }
    bool ok = false;
    const qsizetype xref = pdf.mid(xrefMark + 11).split('\n').value(0).toLongLong(&ok);
    if (!ok || xref < at || !pdf.mid(xref).startsWith("xref\n")) {
        return {};
    }
    const QByteArray entries = "\n/Title " + pdfText(title) + "\n/Subject " + pdfText(subject);
    const qsizetype shift = entries.size() - placeholder.size();
    QByteArray patched = pdf.left(xrefMark);
    patched.replace(at, placeholder.size(), entries);
    // "xref", "0 COUNT", then COUNT entries of 20 bytes: "OOOOOOOOOO GGGGG n \n".
    const qsizetype table = patched.indexOf('\n', xref + shift + 5) + 1;
    const qsizetype count = patched.mid(xref + shift + 7, table - xref - shift - 8).toLongLong();
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype field = table + 20 * k;
        const qsizetype offset = patched.mid(field, 10).toLongLong(&ok);
        if (ok && patched.at(field + 17) == 'n' && offset > at) {
            patched.replace(field, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
        }
    }
    return patched + "\nstartxref\n" + QByteArray::number(xref + shift) + "\n%%EOF\n";
}

} // namespace sorkam::chart
