// The facts table: every label has one fact, and each report names a fact where its row says.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "report/Facts.h"
#include "report/ReportLines.h"

namespace tabrix {

TEST(FactsTable, EveryLabelHasOneFactAndEveryReportNameLeadsToItsFactsText) {
    std::map<int, int> uses;
    std::set<std::string> php;
    std::set<std::string> json;
    for (int i = 0; i < kFactCount; ++i) {
        const FactRow& row = kFacts[i];
        // factRow() finds a row by its place.
        EXPECT_EQ(i, static_cast<int>(row.fact));
        ++uses[row.label];
        if (row.caption != 0) ++uses[row.caption];
        EXPECT_EQ(row.caption != 0 && row.caption != kLabelCpuName, row.captionText != nullptr) << i;
        EXPECT_TRUE(row.checkBox == 0 || (row.checkBox >= 11 && row.checkBox <= 31)) << i;
        if (row.php) EXPECT_TRUE(php.insert(row.php).second) << row.php;
        if (row.json && row.shape != JsonShape::SensorPair)
            EXPECT_TRUE(json.insert(std::string(row.jsonGroup ? row.jsonGroup : "") + "." + row.json).second)
                << row.json;
    }
    for (int n = kFirstMainLabel; n <= kLastMainLabel; ++n)
        EXPECT_EQ(n == kLabelSpare ? 0 : 1, uses[n]) << mainLabelName(n);

    // Each fact's label holds its own marker: a report line naming a fact carries that marker.
    ReportLabels labels = readReportLabels([](int n) { return "<" + std::to_string(n) + ">"; }, "v");
    for (Fact f : {Fact::Download, Fact::Upload})
        labels.text[f] = "X:<" + std::to_string(factRow(f).label) + ">";
    const auto xml = xmlReportLines(labels, labels[Fact::Windows], SystemNumbers{});
    const auto phpLines = phpReportLines(labels, SystemNumbers{}, labels[Fact::Song]);
    for (const FactRow& row : kFacts) {
        const std::string marker = "&lt;" + std::to_string(row.label);
        if (row.xml) {
            bool found = false;
            for (size_t k = 0; k + 1 < xml.size(); ++k)
                found |= xml[k] == "<" + std::string(row.xml) + ">" &&
                         xml[k + 1].find(marker) != std::string::npos;
            EXPECT_TRUE(found) << row.xml;
        }
        if (row.php) {
            bool found = false;
            for (const std::string& line : phpLines)
                found |= line.rfind("$" + std::string(row.php) + " = ", 0) == 0 &&
                         line.find("<" + std::to_string(row.label)) != std::string::npos;
            EXPECT_TRUE(found) << row.php;
        }
    }
}

}  // namespace tabrix
