#pragma once
#include <string>

namespace tabrix {

// Where errors go that a handler reports to the user (the error notice).
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void ShowErrorDialog(const std::string& message) = 0;
};

}  // namespace tabrix
