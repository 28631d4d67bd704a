#include "sources/LhmWebServer.h"

#include <nlohmann/json.hpp>

#include "platform/Codepage.h"
#include "platform/Error.h"

namespace tabrix {
namespace {

using Json = nlohmann::json;

constexpr std::size_t kReadBuffer = 16384;

// Reads the tree as the parser walks it, without building it: each object's "Text" and "Value"
// texts are kept until the object closes. The parser keeps its own depth without recursion.
class TreeReader : public nlohmann::json_sax<Json> {
public:
    explicit TreeReader(Codepage& codepage) : codepage_(codepage) {}
    std::vector<SensorValue> readings;

    bool null() override { return scalar(); }
    bool boolean(bool) override { return scalar(); }
    bool number_integer(number_integer_t) override { return scalar(); }
    bool number_unsigned(number_unsigned_t) override { return scalar(); }
    bool number_float(number_float_t, const string_t&) override { return scalar(); }
    bool binary(binary_t&) override { return scalar(); }
    bool string(string_t& text) override {
        // A named member is always inside an object.
        if (key_ == Key::Text) {
            open_.back().text = std::move(text);
            open_.back().hasText = true;
        } else if (key_ == Key::Value) {
            open_.back().value = std::move(text);
            open_.back().hasValue = true;
        }
        return scalar();
    }
    bool start_object(std::size_t) override {
        open_.emplace_back();
        return scalar();
    }
    bool key(string_t& name) override {
        key_ = name == "Text" ? Key::Text : name == "Value" ? Key::Value : Key::Other;
        return true;
    }
    bool end_object() override {
        Node& node = open_.back();
        SensorValue reading;
        std::string unit;
        if (node.hasText && node.hasValue && splitValueText(node.value, reading.value, unit)) {
            // The unit's kind from its UTF-8 degree sign, which the code page may lack or
            // write otherwise; the texts as the program holds every other.
            reading.type = kindOfUnit(unit);
            try {
                reading.label = codepage_.utf8ToAnsi(node.text);
                reading.unit = codepage_.utf8ToAnsi(unit);
                readings.push_back(std::move(reading));
            } catch (const Error&) {
                // A text the system cannot convert gives no reading.
            }
        }
        open_.pop_back();
        return scalar();
    }
    bool start_array(std::size_t) override { return scalar(); }
    bool end_array() override { return scalar(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    enum class Key { Other, Text, Value };
    struct Node {
        std::string text, value;
        bool hasText = false, hasValue = false;  // the member was there, and a text
    };
    // Any value but a text, or an object or array, ends what a key named.
    bool scalar() {
        key_ = Key::Other;
        return true;
    }
    Codepage& codepage_;
    std::vector<Node> open_;
    Key key_ = Key::Other;
};

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
    // Anything but the tree itself (a redirect, an error page) is no answer.
    if (http.status(request) != 200) {
        http.close(request);
        http.close(session);
        return kLhmFailed;
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

std::vector<SensorValue> parseLhmJson(const std::string& json, Codepage& codepage) {
    TreeReader reader(codepage);
    if (!Json::sax_parse(json, &reader)) return {};
    return std::move(reader.readings);
}

}  // namespace tabrix
