#pragma once

#include <QString>

#include <optional>
#include <string>

class QMimeData;

namespace sorkam {

// Header text bytes as the status label shows them, as chart::headerText words them.
[[nodiscard]] QString headerTextForDisplay(const std::string& bytes);

// A path as the user typed or picked it, in the file-name encoding of the system: a byte that is
// not valid in it shows as U+FFFD, a control character as its control picture, and a
// bidirectional formatting character, which would reorder the name on screen, as its code
// ("[U+202E]").
[[nodiscard]] QString pathForDisplay(const std::string& path);

// The bytes of the path of the existing file that path shows, also where names' bytes are not
// valid UTF-8 and show as U+FFFD (as in a file dialog); the path's own encoding where no single
// existing file fits.
[[nodiscard]] std::string pathBytes(const QString& path);

// The one local file a drag carries, as the bytes of its path; nothing for anything else.
[[nodiscard]] std::optional<std::string> droppedFile(const QMimeData* data);

// The window title that shows text exactly: Qt treats "[*]" in a title as the modified-marker
// placeholder, and "[*][*]" as a literal "[*]".
[[nodiscard]] QString literalWindowTitle(const QString& text);

} // namespace sorkam
