#pragma once
// A window's hooks are the parts of the program it cannot do without. One left
// unwired is a fault in putting the program together, so it is reported the
// moment the window is made, never found later as a button that does nothing.
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

namespace qel::ui {

inline void requireHooks(const char* window,
                         std::initializer_list<std::pair<const char*, bool>> hooks) {
    for (const auto& [name, wired] : hooks) {
        if (!wired) {
            throw std::logic_error(std::string(window) + ": the hook " + name + " is not wired.");
        }
    }
}

}  // namespace qel::ui
