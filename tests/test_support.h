#pragma once
// Shared by the host and Win32 suites: the test data files, an error sink that records and
// table checks of a pure function.
#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "windows/main/Unit1.h"

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

// Every input through `f` against its expected result; a failure names the input.
template <class In, class Out, class F>
void expectEach(F f, std::initializer_list<std::pair<In, Out>> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(f(c.first), c.second) << "for " << ::testing::PrintToString(c.first);
}

}  // namespace tabrix::test
