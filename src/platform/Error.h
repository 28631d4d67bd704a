#pragma once
#include <stdexcept>
#include <string>

namespace tabrix {

// The program's one exception type. Its message is one of the program's own fixed
// English texts, shown to the user as it is (error notice or message box).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tabrix
