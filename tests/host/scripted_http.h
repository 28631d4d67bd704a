#pragma once
// An HTTP connection scripted by the test, for the fetches that run through HttpApi.
#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "platform/HttpApi.h"

namespace tabrix {

// A connection that answers with the given reads, recording every call.
class ScriptedHttp : public HttpApi {
public:
    Handle open(const std::string& agent) override {
        calls.push_back("open " + agent);
        return openWorks ? 1 : 0;
    }
    Handle openUrl(Handle session, const std::string& url) override {
        calls.push_back("url " + std::to_string(session) + " " + url);
        return urlWorks ? 2 : 0;
    }
    Read read(Handle, char* buffer, uint32_t size, uint32_t& got) override {
        sizes.push_back(size);
        got = 0;
        if (reads.empty()) return endWith;
        const std::string chunk = reads.front().substr(0, size);
        reads.pop_front();
        std::copy(chunk.begin(), chunk.end(), buffer);
        got = static_cast<uint32_t>(chunk.size());
        return Read::Data;
    }
    bool refused() override { return refusedUrl; }
    int status(Handle) override {
        if (statuses.empty()) return 200;
        const int code = statuses.front();
        statuses.pop_front();
        return code;
    }
    std::string location(Handle) override {
        if (locations.empty()) return std::string();
        const std::string where = locations.front();
        locations.pop_front();
        return where;
    }
    void close(Handle handle) override { calls.push_back("close " + std::to_string(handle)); }

    bool openWorks = true;
    bool urlWorks = true;
    bool refusedUrl = false;   // a failed openUrl was refused
    std::deque<int> statuses;  // one a request, then 200
    std::deque<std::string> locations;
    std::deque<std::string> reads;
    Read endWith = Read::End;
    std::vector<std::string> calls;
    std::vector<uint32_t> sizes;
};

}  // namespace tabrix
