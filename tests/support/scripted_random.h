#pragma once
// Random numbers chosen by the test: each draw takes the next scripted value,
// cycling when the script runs out.
#include <cstddef>
#include <utility>
#include <vector>

#include "core/seams/random.h"

namespace qel::test {

class ScriptedRandom : public Random {
  public:
    explicit ScriptedRandom(std::vector<double> values = {0.5}) : values_(std::move(values)) {}

    double next() override {
        ++draws_;
        const double value = values_[index_];
        index_ = (index_ + 1) % values_.size();
        return value;
    }
    void seed(uint64_t) override {}
    void seedFromClock() override {}

    void script(std::vector<double> values) {
        values_ = std::move(values);
        index_ = 0;
    }
    int draws() const { return draws_; }

  private:
    std::vector<double> values_;
    std::size_t index_ = 0;
    int draws_ = 0;
};

}  // namespace qel::test
