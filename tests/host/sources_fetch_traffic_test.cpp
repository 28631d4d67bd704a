// The external-address fetch over a scripted connection, and the traffic arithmetic.
#include <gtest/gtest.h>

#include "scripted_http.h"
#include "sources/ExternalIp.h"
#include "sources/Traffic.h"

namespace tabrix {
namespace {

TEST(FetchUrl, TheBodyComesWholeInChunksOfAtMost1025BytesAndBothHandlesClose) {
    ScriptedHttp http;
    http.reads = {"192.0.2.7\r\n"};
    EXPECT_EQ("192.0.2.7\r\n", FetchUrl(http, "http://127.0.0.1/ip"));
    EXPECT_EQ((std::vector<std::string>{"open Tabrix IP Grabber", "url 1 http://127.0.0.1/ip", "close 2",
                                        "close 1"}),
              http.calls);

    // 3000 bytes arrive as 1025 + 1025 + 950: every read offers 1025 bytes.
    ScriptedHttp big;
    const std::string body(3000, 'a');
    big.reads = {body.substr(0, 1025), body.substr(1025, 1025), body.substr(2050)};
    EXPECT_EQ(body, FetchUrl(big, "u"));
    EXPECT_EQ((std::vector<uint32_t>{1025, 1025, 1025, 1025}), big.sizes);
}

TEST(FetchUrl, AZeroByteCutsItsChunkAndTheNextChunkGoesOn) {
    ScriptedHttp http;
    http.reads = {std::string("10.0\0junk", 9), ".0.1"};
    EXPECT_EQ("10.0.0.1", FetchUrl(http, "u"));

    std::string chunk;
    appendChunk(chunk, "abc", 3);  // no zero byte: all of it
    appendChunk(chunk, "\0def", 4);
    EXPECT_EQ("abc", chunk);
}

TEST(FetchUrl, FailuresAnswerFailed) {
    ScriptedHttp noSession;
    noSession.openWorks = false;
    EXPECT_EQ("Failed", FetchUrl(noSession, "u"));
    EXPECT_EQ(1u, noSession.calls.size());

    ScriptedHttp noUrl;
    noUrl.urlWorks = false;
    EXPECT_EQ("Failed", FetchUrl(noUrl, "0"));
    EXPECT_EQ("close 1", noUrl.calls.back());

    // A server that stops answering half-way: the time-out, not half an address.
    ScriptedHttp silent;
    silent.reads = {"192.0."};
    silent.endWith = HttpApi::Read::TimedOut;
    EXPECT_EQ("Failed", FetchUrl(silent, "u"));
    EXPECT_EQ("close 1", silent.calls.back());

    // A read that fails, or a body cut short of its length, is no address either.
    ScriptedHttp cut;
    cut.reads = {"192.0."};
    cut.endWith = HttpApi::Read::Failed;
    EXPECT_EQ("Failed", FetchUrl(cut, "u"));

    // An empty body is an answer, not a failure.
    ScriptedHttp empty;
    EXPECT_EQ("", FetchUrl(empty, "u"));
}

TEST(FetchUrl, RedirectsAreFollowedToTheWebOnlyAndNotTooFar) {
    const struct {
        const char* location;
        const char* next;  // the URL asked next; "" when the fetch fails instead
    } rows[] = {
        {"https://example.net/ip", "https://example.net/ip"},
        {"HTTP://example.net", "HTTP://example.net"},
        {"/v2/ip?plain", "http://ip.example:8080/v2/ip?plain"},
        {"//mirror.example/ip", "http://mirror.example/ip"},
        {"ftp://example.net/ip", ""},
        {"file:///C:/boot.ini", ""},
        {"javascript:alert(1)", ""},
        {"ip.txt", ""},
        {"http://example.net/a b", ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        ScriptedHttp http;
        http.statuses = {302};
        http.locations = {row.location};
        http.reads = {"192.0.2.7"};
        const std::string body = FetchUrl(http, "http://ip.example:8080/old/ip");
        if (*row.next) {
            EXPECT_EQ("192.0.2.7", body) << row.location;
            EXPECT_EQ("url 1 " + std::string(row.next), http.calls[3]) << row.location;
        } else {
            EXPECT_EQ("Failed", body) << row.location;
        }
        EXPECT_EQ("close 1", http.calls.back()) << row.location;
    }

    // Five hops are followed, a sixth is not; an error page is still the body.
    for (int hops : {5, 6}) {
        ScriptedHttp http;
        for (int i = 0; i < hops; ++i) {
            http.statuses.push_back(i % 2 ? 301 : 307);
            http.locations.push_back("/hop" + std::to_string(i));
        }
        http.statuses.push_back(404);
        http.reads = {"<html>"};
        EXPECT_EQ(hops == 5 ? "<html>" : "Failed", FetchUrl(http, "http://ip.example/")) << hops;
    }
}

TEST(FetchUrl, AnEndlessBodyStopsAt64Kilobytes) {
    ScriptedHttp endless;
    for (int i = 0; i < 200; ++i) endless.reads.push_back(std::string(1025, 'x'));
    const std::string body = FetchUrl(endless, "u");
    EXPECT_EQ(65536u, body.size());
    EXPECT_EQ(std::string(65536, 'x'), body);
    EXPECT_EQ(64u, endless.sizes.size());  // no read after the limit was reached
    EXPECT_EQ("close 1", endless.calls.back());
}

TEST(Traffic, LinkSpeedInKilobitsUpTo60000AndMegabitsAbove) {
    EXPECT_EQ("60 Kbps", linkSpeedText(60000));
    EXPECT_EQ("0 Mbps", linkSpeedText(60001));
    EXPECT_EQ("0 Mbps", linkSpeedText(64000));
    EXPECT_EQ("56 Kbps", linkSpeedText(56000));
    EXPECT_EQ("100 Mbps", linkSpeedText(100000000));
    EXPECT_EQ("2 Mbps", linkSpeedText(2500000));  // halves go to the even neighbour
    EXPECT_EQ("4 Mbps", linkSpeedText(3500000));
    EXPECT_EQ("0 Kbps", linkSpeedText(0));
    EXPECT_EQ("4295 Mbps", linkSpeedText(4294967295u));
}

TEST(Traffic, RatesInKibibytesRoundedToTwoDecimalsWithTheUsersSeparator) {
    EXPECT_EQ("D: 1.5 Kb/s", rateText("D: ", 1536, '.'));
    EXPECT_EQ("U: 1,5 Kb/s", rateText("U: ", 1536, ','));
    EXPECT_EQ("D: 0 Kb/s", rateText("D: ", 0, '.'));
    EXPECT_EQ("D: 1 Kb/s", rateText("D: ", 1024, '.'));
    EXPECT_EQ("D: 0.01 Kb/s", rateText("D: ", 10, '.'));  // 0.00977 KiB
    EXPECT_EQ("D: 0 Kb/s", rateText("D: ", 5, '.'));
    EXPECT_EQ("D: 1.22 Kb/s", rateText("D: ", 1249, '.'));
    EXPECT_EQ("D: 4194304 Kb/s", rateText("D: ", 4294967295u, '.'));
}

TEST(Traffic, FirstMeasurementIsZeroThenDifferencesModulo2To32) {
    TrafficBaselines base;
    InterfaceRow row{100000000, 5000, 7000, "eth"};
    TrafficTexts t = measureTraffic(base, row, '.');
    EXPECT_EQ("100 Mbps", t.linkSpeed);
    EXPECT_EQ("D: 0 Kb/s", t.downstream);
    EXPECT_EQ("U: 0 Kb/s", t.upstream);

    row.inOctets += 1536;
    row.outOctets += 2048;
    t = measureTraffic(base, row, ',');
    EXPECT_EQ("D: 1,5 Kb/s", t.downstream);
    EXPECT_EQ("U: 2 Kb/s", t.upstream);

    // The received counter wraps: 4294967000 to 1000 is 1296 bytes, not a huge rate.
    base.received = 4294967000u;
    row.inOctets = 1000;
    t = measureTraffic(base, row, '.');
    EXPECT_EQ("D: 1.27 Kb/s", t.downstream);
    EXPECT_EQ("U: 0 Kb/s", t.upstream);
    EXPECT_EQ(1000u, base.received);
    EXPECT_EQ(7000u + 2048u, base.sent);
}

}  // namespace
}  // namespace tabrix
