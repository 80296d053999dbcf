#pragma once
// Which device a serial port number stands for. The race director picks a
// port number 1..16 in Installation; QelDat/QelPorts.dat says which device
// that is on this machine (line n holds the quoted path for port n).
#include <array>
#include <string>

#include "core/io/data_folder.h"

namespace qel {

inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 16;

class PortMap {
  public:
    // Every port on its default device.
    PortMap();

    // Reads QelPorts.dat of the data folder. A missing, unreadable or damaged
    // file, and any blank or unusable line, leaves those ports on their defaults.
    static PortMap load(const AppFolder& folder);
    // The same from the file's text, for callers that already hold it.
    static PortMap parse(const std::string& text);

    // "" for a number outside 1..16.
    const std::string& devicePath(int portNumber) const;
    static std::string defaultDevicePath(int portNumber);

    static constexpr const char* kFileName = "QelPorts.dat";
    // A real ports file is a few hundred bytes; anything far larger is not one.
    static constexpr std::size_t kMaxFileBytes = 64 * 1024;
    static constexpr std::size_t kMaxPathLength = 1024;

  private:
    std::array<std::string, kLastPortNumber + 1> paths_;  // index 0 unused
};

}  // namespace qel
