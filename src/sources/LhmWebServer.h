#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/HttpApi.h"
#include "sources/SensorReadings.h"

namespace tabrix {

class Codepage;

// LibreHardwareMonitor's built-in web server ("Remote Web Server"), asked on this machine only.
constexpr char kLhmAgent[] = "Tabrix";
// Every fetch is over within this time, answered or not; a server on this machine that stays
// silent this long within its answer has failed it.
constexpr unsigned kLhmFetchLimitMs = 1000;
constexpr unsigned kLhmSilenceMs = 500;
// A longer answer is not kept: the fetch fails.
constexpr std::size_t kLhmBodyLimit = 1u << 20;
// The fetch's answers when there is no tree: nothing listens at the port, or anything else.
constexpr char kLhmRefused[] = "Refused";
constexpr char kLhmFailed[] = "Failed";

// http://127.0.0.1:<port>/data.json
std::string lhmUrl(int port);

// The body of a GET of url (at most kLhmBodyLimit bytes), kLhmRefused when the connection was
// refused, kLhmFailed for any other failure: no session, a status other than 200 (a redirect
// included: it is not followed), a time-out, a read that fails, a body cut short or longer.
std::string FetchLhmJson(HttpApi& http, const std::string& url);

// The readings of the server's tree of nodes, read as it is parsed (the tree is never built):
// every node with a "Text" and a "Value" text that starts with a number ("45.5 °C"), its unit
// after the number, in the order the nodes end (for the server's tree, whose readings are its
// leaves, the order they appear in). A node of any other shape (a number where a text belongs)
// gives no reading and the rest is still read; an answer that is not whole JSON gives none.
// The server's texts are UTF-8: the labels and units are converted to the system's code page.
std::vector<SensorValue> parseLhmJson(const std::string& json, Codepage& codepage);

}  // namespace tabrix
