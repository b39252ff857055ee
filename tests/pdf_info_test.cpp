// The PDF title and subject written into the document information as Qt's writer lays it out.
#include "picture/PdfInfo.h"

#include <gtest/gtest.h>

#include <QList>

namespace sorkam::chart {
namespace {

// A document as Qt's writer lays it out: the information dictionary first, then other objects,
// the cross-reference table and its offset.
QByteArray qtLaidOutDocument() {
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    offsets.append(pdf.size());
    QByteArray title = "(\xFE\xFF";
    for (const char c : QByteArray(kPdfTitlePlaceholder)) {
        title += '\0';
        title += c;
    }
    pdf += "1 0 obj\n<<\n/Title " + title + ")\n/Creator " + pdfText("sorkam") + "\n>>\nendobj\n";
    offsets.append(pdf.size());
    pdf += "2 0 obj\n<< /Type /Catalog >>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 3\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets) {
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    }
    return pdf + "trailer\n<< /Size 3 /Info 1 0 R /Root 2 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
}

// Each in-use entry of the cross-reference table points at its own object, and startxref at the
// table.
void expectTableTrue(const QByteArray& pdf) {
    const qsizetype mark = pdf.lastIndexOf("startxref\n");
    ASSERT_GE(mark, 0);
    const qsizetype xref = pdf.mid(mark + 10).split('\n').value(0).toLongLong();
    ASSERT_TRUE(pdf.mid(xref).startsWith("xref\n0 3\n"));
    for (int k = 1; k < 3; ++k) {
        const qsizetype offset = pdf.mid(xref + 9 + 20 * k, 10).toLongLong();
        EXPECT_TRUE(pdf.mid(offset).startsWith(QByteArray::number(k) + " 0 obj")) << k;
    }
}

TEST(PdfInfo, TitleAndSubjectTakeThePlaceholdersPlaceAndTheTableFollowsThem) {
    const QByteArray before = qtLaidOutDocument();
    expectTableTrue(before);
    // A name whose UTF-16 holds "\n/Creator " and "endobj" does not mislead it.
    const QString title = QString::fromUtf16(u"\u0A2F\u4372\u6561\u746F\u7220 endobj.vid");
    const QByteArray after = pdfWithInformation(before, title, QStringLiteral("records 0-2"));
    const qsizetype at = after.indexOf("\n/Title " + pdfText(title) + "\n/Subject " +
                                       pdfText("records 0-2") + "\n/Creator ");
    ASSERT_GE(at, 0) << after.toStdString();
    expectTableTrue(after);

    // A document laid out otherwise is refused.
    EXPECT_TRUE(
        pdfWithInformation("%PDF-1.4\n1 0 obj\n<< >>\nendobj\n%%EOF\n", title, {}).isEmpty());
}

TEST(PdfInfo, TextIsUtf16WithItsByteOrderMark) {
    EXPECT_EQ(pdfText(QStringLiteral("A\u00e9")), "<FEFF004100E9>");
}

} // namespace
} // namespace sorkam::chart
