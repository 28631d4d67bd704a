#include "sources/LhmWebServer.h"

#include <nlohmann/json.hpp>

namespace tabrix {
namespace {

using Json = nlohmann::json;

constexpr std::size_t kReadBuffer = 16384;

// A member that is a text; null when missing or of another type.
const std::string* textMember(const Json& node, const char* name) {
    const auto it = node.find(name);
    return it != node.end() ? it->get_ptr<const std::string*>() : nullptr;
}

}  // namespace

std::string lhmUrl(int port) {
    return "http://127.0.0.1:" + std::to_string(port) + "/data.json";
}

std::string FetchLhmJson(HttpApi& http, const std::string& url) {
    const HttpApi::Handle session = http.open(kLhmAgent);
    if (!session) return kLhmFailed;
    const HttpApi::Handle request = http.openUrl(session, url);
    if (!request) {
        const bool refused = http.refused();
        http.close(session);
        return refused ? kLhmRefused : kLhmFailed;
    }
    std::string body;
    std::string buffer(kReadBuffer, '\0');
    HttpApi::Read read;
    uint32_t got = 0;
    while ((read = http.read(request, &buffer[0], kReadBuffer, got)) == HttpApi::Read::Data &&
           body.size() + got <= kLhmBodyLimit)
        body.append(buffer, 0, got);
    http.close(request);
    http.close(session);
    return read == HttpApi::Read::End ? body : std::string(kLhmFailed);
}

std::vector<SensorValue> parseLhmJson(const std::string& json) {
    std::vector<SensorValue> readings;
    const Json root = Json::parse(json, nullptr, false);
    if (root.is_discarded()) return readings;
    // A stack of our own rather than recursion: a hostile tree may be nested very deep.
    std::vector<const Json*> stack{&root};
    while (!stack.empty()) {
        const Json& node = *stack.back();
        stack.pop_back();
        if (!node.is_object()) continue;
        const std::string* text = textMember(node, "Text");
        const std::string* value = textMember(node, "Value");
        SensorValue reading;
        if (text && value && splitValueText(*value, reading.value, reading.unit)) {
            reading.label = *text;
            reading.type = kindOfUnit(reading.unit);
            readings.push_back(std::move(reading));
        }
        const auto children = node.find("Children");
        if (children == node.end() || !children->is_array()) continue;
        for (auto child = children->rbegin(); child != children->rend(); ++child) stack.push_back(&*child);
    }
    return readings;
}

}  // namespace tabrix
