#include "viewer/Commands.h"

#include <algorithm>

namespace sorkam {

std::string commandKeyList() {
    constexpr std::size_t kKeyColumn = 20;
    std::string list;
    for (const Command& command : kCommands) {
        std::string line = "  " + std::string(command.keys);
        line.resize(std::max(kKeyColumn, line.size() + 1), ' ');
        list += line + std::string(command.tooltip) + '\n';
    }
    return list;
}

} // namespace sorkam
