#pragma once
// What the track is: lanes, port, sensors, relay, scale, lane colours and lengths.
#include <cstdint>
#include <string>

#include "core/state/race_state.h"

namespace qel {

enum RelayType : int16_t { kRelayNone = 0, kRelayNormallyClosed = 1, kRelayNormallyOpen = 2 };
enum SensorType : int16_t { kSensorReedSwitch = 0, kSensorInfrared = 1 };

struct InstallationSettings {
    int16_t laneCountIndex = 0;  // lanes = index + 2
    int16_t laneCount = 2;
    int16_t scaleIndex = 0;
    int16_t relayIndex = kRelayNone;
    int16_t sensorTypeIndex = kSensorReedSwitch;
    int16_t commPortIndex = 0;  // port = index + 1
    int16_t commPort = 1;
    LaneTable<int16_t> laneColorIndex{};
    LaneTable<int32_t> laneColor{};
    LaneTable<int16_t> laneDisabled{};
    LaneTable<float> trackLength{};
    int16_t sellTimeEnabled = 0;
    std::string trackName;
    int16_t scaleFactor = 0;
    LaneTable<float> speedMultiplier{};
};

}  // namespace qel
