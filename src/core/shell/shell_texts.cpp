#include "core/shell/shell_texts.h"

namespace qel {

std::string splashVersionCaption(const ProgramVersion& version) {
    return "Version " + versionText(version);
}

std::string aboutVersionCaption(const ProgramVersion& version) {
    return "Kestrova Qel Timer Version  " + versionText(version);
}

}  // namespace qel
