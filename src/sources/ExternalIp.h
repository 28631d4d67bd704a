#pragma once
#include <cstddef>
#include <string>

#include "platform/HttpApi.h"

namespace tabrix {

constexpr char kIpAgent[] = "Tabrix IP Grabber";
constexpr char kFetchFailed[] = "Failed";
constexpr char kIpRetrieveProblem[] = "Unable to retrieve IP";
constexpr std::size_t kIpReadBuffer = 1025;
// A server that streams without end stops being read here; the answer is what came so far.
constexpr std::size_t kIpBodyLimit = 64 * 1024;
// Every fetch is over within this time, answered or not.
constexpr unsigned kIpFetchLimitMs = 5000;

// Appends a read buffer's text: its bytes up to the first zero byte, or all of them.
void appendChunk(std::string& body, const char* buffer, std::size_t size);

// The body of a GET of url, taken whole and unchanged (at most kIpBodyLimit bytes), or "Failed"
// when the session or the URL cannot be opened or the fetch times out.
std::string FetchUrl(HttpApi& http, const std::string& url);

}  // namespace tabrix
