#include "viewer/window/TextDisplay.h"

#include "chart/ShownText.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <dirent.h>
#include <sys/stat.h>

namespace sorkam {

namespace {

constexpr char16_t kControlPictures = 0x2400; // U+2400 SYMBOL FOR NULL .. U+241F
constexpr char16_t kDeletePicture = 0x2421;

} // namespace

QString headerTextForDisplay(const std::string& bytes) {
    return QString::fromStdString(chart::headerText(bytes));
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
        } else if (chart::isDirectionMark(u)) {
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

std::optional<std::string> droppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    // The URL's path percent-encodes the name's bytes, also those that are not UTF-8.
    return QByteArray::fromPercentEncoding(
               data->urls().constFirst().path(QUrl::FullyEncoded).toLatin1())
        .toStdString();
}

} // namespace sorkam
