#include "picture/PdfInfo.h"

#include <QList>

namespace sorkam::chart {

QByteArray pdfText(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text) {
        hex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    }
    return hex + ">";
}

QByteArray pdfWithSubject(const QByteArray& pdf, const QString& subject) {
    const qsizetype infoEnd = pdf.indexOf("endobj");
    const qsizetype at = pdf.indexOf("\n/Creator ");
    const qsizetype xrefMark = pdf.lastIndexOf("\nstartxref\n");
    if (infoEnd < 0 || at < 0 || at > infoEnd || xrefMark < 0) {
        return pdf;
    }
    bool ok = false;
    const qsizetype xref = pdf.mid(xrefMark + 11).split('\n').value(0).toLongLong(&ok);
    if (!ok || !pdf.mid(xref).startsWith("xref\n")) {
        return pdf;
    }
    const QByteArray entry = "\n/Subject " + pdfText(subject);
    const qsizetype shift = entry.size();
    QByteArray patched = pdf.left(at) + entry + pdf.mid(at, xrefMark - at);
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
