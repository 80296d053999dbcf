#pragma once
// The message a failing action shows the race director, or "no error".
#include <string>

#include "core/io/errors.h"

namespace qel::test {

inline std::string errorOf(auto&& action) {
    try {
        action();
    } catch (const QelError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace qel::test
