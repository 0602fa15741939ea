#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace tavlo::comm {

// The driver's own configuration file (see SbpcComm.h for its form).
struct DriverConfig {
    std::map<std::int32_t, std::string> serialPorts;
    std::int32_t connectMs = 3000;
    std::int32_t replyMs = 5000;

    static std::filesystem::path path();
    static DriverConfig load();
};

}  // namespace tavlo::comm
