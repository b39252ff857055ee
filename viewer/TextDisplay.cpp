#include "viewer/TextDisplay.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <array>

namespace sorkam {

namespace {

// Bytes 0x80..0x9F of the Windows Western code page (1252); 0xFFFD where it defines none.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

constexpr char16_t kControlPictures = 0x2400; // U+2400 SYMBOL FOR NULL .. U+241F
constexpr char16_t kDeletePicture = 0x2421;

char16_t displayChar(unsigned char byte) {
    if (byte < 0x20) {
        return static_cast<char16_t>(kControlPictures + byte);
    }
    if (byte == 0x7F) {
        return kDeletePicture;
    }
    if (byte >= 0x80 && byte <= 0x9F) {
        return kCp1252High[byte - 0x80];
    }
    return byte; // ASCII and Latin-1 agree with the code page here
}

bool isBidiControl(char16_t c) {
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

} // namespace

QString headerTextForDisplay(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text.append(QChar(displayChar(static_cast<unsigned char>(c))));
    }
    return text;
}

QString pathForDisplay(const std::string& path) {
    const QString decoded =
        QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    QString shown;
    shown.reserve(decoded.size());
    for (const QChar c : decoded) {
        const char16_t u = c.unicode();
        if (u < 0x20) {
            shown.append(QChar(static_cast<char16_t>(kControlPictures + u)));
        } else if (u == 0x7F) {
            shown.append(QChar(kDeletePicture));
        } else if (isBidiControl(u)) {
            // Would reorder the rest of the name on screen ("run\u202Ediv.exe" reading as
            // "runexe.vid"): shown as its code instead.
            shown.append(QStringLiteral("[U+%1]")
                             .arg(static_cast<unsigned>(u), 4, 16, QChar('0'))
                             .toUpper());
        } else {
            shown.append(c);
        }
    }
    return shown;
}

std::string pathBytes(const QString& path) {
    const std::string encoded = QFile::encodeName(path).toStdString();
    struct stat info {};
    if (::stat(encoded.c_str(), &info) == 0 || !path.startsWith(QLatin1Char('/'))) {
        return encoded;
    }
    // Each name of the path in turn: the one entry of its folder that shows as it does.
    std::string resolved;
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::string folder = resolved.empty() ? "/" : resolved;
        std::string match;
        int matches = 0;
        if (DIR* dir = ::opendir(folder.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                if (QFile::decodeName(entry->d_name) == name) {
                    match = entry->d_name;
                    ++matches;
                }
            }
            ::closedir(dir);
        }
        if (matches != 1) {
            return encoded;
        }
        resolved += "/" + match;
    }
    return resolved;
}

QString literalWindowTitle(const QString& text) {
    QString title = text;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    return title;
}

} // namespace sorkam
