#pragma once

#include "viewer/Commands.h"

#include <functional>

class QAction;
class QObject;

namespace sorkam {

// The action of a command of the table: its text, its keys, a tooltip that says what it does and
// names the keys, checkable where the command is. Triggering it calls trigger.
[[nodiscard]] QAction* commandAction(const Command& command, QObject* owner,
                                     std::function<void()> trigger);

} // namespace sorkam
