#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace tavlo::comm {

// The driver's own configuration file (see SbpcComm.h for its form).
struct DriverConfig {
    // Where a TCP link to an address goes instead: another numeric address
    // and, when not 0, another port.
    struct Route {
        std::string host;
        std::int32_t port = 0;
    };

    std::map<std::int32_t, std::string> serialPorts;
    std::map<std::string, Route> hosts;
    std::int32_t connectMs = 3000;
    std::int32_t replyMs = 5000;

    // The address and port a TCP link to `host`:`port` goes to: those of
    // its [Hosts] entry, else the same.
    Route routeOf(const std::string& host, std::int32_t port) const;

    static std::filesystem::path path();
    static DriverConfig load();
};

}  // namespace tavlo::comm
