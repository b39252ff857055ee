#include "tests/support/PdfPage.h"

#include <zlib.h>

namespace sorkam::test {

std::string pdfPageContent(const std::string& pdf) {
    const std::size_t filter = pdf.find(" 0 R /Filter /FlateDecode >>");
    const std::size_t start = pdf.find("stream\n", filter);
    const std::size_t end = pdf.find("\nendstream", start);
    if (filter == std::string::npos || start == std::string::npos || end == std::string::npos) {
        return {};
    }
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return {};
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(pdf.data() + start + 7));
    stream.avail_in = static_cast<uInt>(end - start - 7);
    std::string out;
    char buffer[16384];
    int done = Z_OK;
    while (done == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        done = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - stream.avail_out);
    }
    inflateEnd(&stream);
    return done == Z_STREAM_END ? out : std::string();
}

} // namespace sorkam::test
