#pragma once
// Shared by the host and Win32 suites: the test data files and an error sink that records.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Unit1.h"

namespace tabrix::test {

// A file of tests/data, whole ("" when missing).
inline std::string readTestFile(const char* name) {
    std::ifstream in(std::string(TABRIX_TEST_DATA) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The error notices a handler asked for, in order.
class RecordingErrors : public ErrorSink {
public:
    void ShowErrorDialog(const std::string& message) override { shown.push_back(message); }
    std::vector<std::string> shown;
};

}  // namespace tabrix::test
