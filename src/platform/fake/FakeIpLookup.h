#pragma once
#include <string>
#include <vector>

#include "platform/HttpApi.h"

namespace tabrix {

// Fetches that wait until a test answers them, in the order they were started.
class FakeIpLookup : public IpLookup {
public:
    struct Fetch {
        std::string url;
        Answer answer;
        bool answered = false;
    };
    void fetch(const std::string& url, Answer answer) override { fetches.push_back({url, answer}); }

    // Answers the oldest fetch not answered yet; false when none waits.
    bool answer(const std::string& body) {
        for (Fetch& f : fetches)
            if (!f.answered) {
                f.answered = true;
                f.answer(body);
                return true;
            }
        return false;
    }
    int waiting() const {
        int n = 0;
        for (const Fetch& f : fetches) n += f.answered ? 0 : 1;
        return n;
    }

    std::vector<Fetch> fetches;
};

}  // namespace tabrix
