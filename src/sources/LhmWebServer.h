#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/HttpApi.h"
#include "sources/SensorReadings.h"

namespace tabrix {

// LibreHardwareMonitor's built-in web server ("Remote Web Server"), asked on this machine only.
constexpr char kLhmAgent[] = "Tabrix";
// Every fetch is over within this time, answered or not.
constexpr unsigned kLhmFetchLimitMs = 1000;
// A longer answer is not kept: the fetch fails.
constexpr std::size_t kLhmBodyLimit = 1u << 20;
// The fetch's answers when there is no tree: nothing listens at the port, or anything else.
constexpr char kLhmRefused[] = "Refused";
constexpr char kLhmFailed[] = "Failed";

// http://127.0.0.1:<port>/data.json
std::string lhmUrl(int port);

// The body of a GET of url (at most kLhmBodyLimit bytes), kLhmRefused when the connection was
// refused, kLhmFailed for any other failure: no session, a time-out, a longer body.
std::string FetchLhmJson(HttpApi& http, const std::string& url);

// The readings of the server's tree of nodes, depth first in the document's order: every
// node with a "Text" and a "Value" text that starts with a number ("45.5 °C"), its unit after
// the number. Anything else (no JSON, other shapes, a number where a text belongs) gives no
// reading from that node; the rest of the tree is still read.
std::vector<SensorValue> parseLhmJson(const std::string& json);

}  // namespace tabrix
