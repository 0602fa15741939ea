#include "sdk/comm/DriverConfig.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>

namespace tavlo::comm {

namespace {

constexpr std::int32_t kShortest = 10;
constexpr std::int32_t kLongest = 60'000;

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool toInt(const std::string& s, std::int32_t& value)
{
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

// "HOST" or "HOST:PORT"; an IPv6 address with a port is written "[HOST]:PORT".
bool toRoute(const std::string& value, DriverConfig::Route& route)
{
    std::string host = value;
    std::int32_t port = 0;
    const auto colon = value.rfind(':');
    const bool bracketed = !value.empty() && value.front() == '[';
    if (bracketed) {
        const auto close = value.find(']');
        if (close == std::string::npos)
            return false;
        host = value.substr(1, close - 1);
        if (close + 1 < value.size()) {
            if (value[close + 1] != ':' || !toInt(value.substr(close + 2), port))
                return false;
        }
    } else if (colon != std::string::npos && value.find(':') == colon) {
        host = value.substr(0, colon);
        if (!toInt(value.substr(colon + 1), port))
            return false;
    }
    if (host.empty() || port < 0 || port > 65535)
        return false;
    route = {host, port};
    return true;
}

}  // namespace

DriverConfig::Route DriverConfig::routeOf(const std::string& host, std::int32_t port) const
{
    const auto found = hosts.find(lower(host));
    if (found == hosts.end())
        return {host, port};
    return {found->second.host, found->second.port != 0 ? found->second.port : port};
}

std::filesystem::path DriverConfig::path()
{
    if (const char* explicitFile = std::getenv("SBXPC_CONFIG"); explicitFile && *explicitFile)
        return explicitFile;
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        return {};
    return base / "sbxpc" / "sbxpc.conf";
}

DriverConfig DriverConfig::load()
{
    DriverConfig config;
    const std::filesystem::path file = path();
    if (file.empty())
        return config;
    std::ifstream in(file);
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        if (const auto comment = line.find(';'); comment != std::string::npos)
            line.erase(comment);
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#')
            continue;
        if (text.front() == '[' && text.back() == ']') {
            section = lower(trimmed(text.substr(1, text.size() - 2)));
            continue;
        }
        const auto eq = text.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = lower(trimmed(text.substr(0, eq)));
        const std::string value = trimmed(text.substr(eq + 1));
        std::int32_t n = 0;
        if (section == "serialports" && toInt(key, n) && !value.empty()) {
            config.serialPorts[n] = value;
        } else if (DriverConfig::Route route; section == "hosts" && !key.empty() && toRoute(value, route)) {
            config.hosts[key] = route;
        } else if (section == "timeouts" && toInt(value, n)) {
            n = std::clamp(n, kShortest, kLongest);
            if (key == "connectms")
                config.connectMs = n;
            else if (key == "replyms")
                config.replyMs = n;
        }
    }
    return config;
}

}  // namespace tavlo::comm
