#pragma once
// A per-user settings store held in memory, so a test never touches the
// settings of whoever runs it.
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "core/shell/user_settings.h"

namespace qel::test {

class MemoryUserSettings : public UserSettings {
  public:
    std::optional<std::string> value(std::string_view section,
                                     std::string_view key) const override {
        const auto found = values_.find({std::string(section), std::string(key)});
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void setValue(std::string_view section, std::string_view key, std::string_view text) override {
        values_[{std::string(section), std::string(key)}] = std::string(text);
        ++writes_;
    }
    int writes() const { return writes_; }

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
    int writes_ = 0;
};

}  // namespace qel::test
