#pragma once
// What wants to know of each lap the race counts (the lap sound).

namespace qel {

// Told of every counted lap, after it is stored, so the lap sound can be chosen.
class LapListener {
  public:
    virtual ~LapListener() = default;
    // newBest: the lap is a new best lap of its lane; overallBest: and the best of all lanes.
    virtual void lapCounted(int lane, bool newBest, bool overallBest) = 0;
};

}  // namespace qel
