#include "core/shell/program_version.h"

namespace qel {

std::string versionText(const ProgramVersion& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

}  // namespace qel
