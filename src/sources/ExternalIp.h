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

// A redirect is followed this many times at most.
constexpr int kIpRedirectLimit = 5;

// Where a redirect from url (http or https) leads: location when it is an http or https URL,
// one that starts with "//" or "/" on url's scheme or server; "" for anything else (another
// scheme, a relative path, blanks or control bytes), which is not followed.
std::string redirectTarget(const std::string& url, const std::string& location);

// The body of a GET of url, taken whole and unchanged (at most kIpBodyLimit bytes) whatever its
// status, after at most kIpRedirectLimit redirects to http or https; "Failed" when the session
// or the URL cannot be opened, a redirect leads elsewhere or too far, a read fails, the body is
// cut short or the fetch times out.
std::string FetchUrl(HttpApi& http, const std::string& url);

}  // namespace tabrix
