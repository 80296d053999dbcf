#pragma once
// Whether a lane's sold running time lets it count a lap at this moment. The
// time selling answers, so a lane stops counting the moment its time is up,
// not at the next tick of its countdown.

namespace qel {

class SoldTimeGate {
  public:
    virtual ~SoldTimeGate() = default;
    virtual bool laneTimeRunning(int lane) = 0;
};

}  // namespace qel
