// The loopback client's reading of HTTP answers, byte by byte or whole, as servers send them.
#include <gtest/gtest.h>

#include "platform/HttpAnswer.h"

namespace tabrix {
namespace {

using State = HttpAnswer::State;

struct Read {
    State state;
    std::string body;
    bool keep;
};

// Feeds the answer in pieces of `step` bytes (0: whole), then the connection's end if asked.
Read readAnswer(const std::string& bytes, std::size_t step, bool ended) {
    HttpAnswer answer;
    std::string body;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t n = step == 0 ? bytes.size() : std::min(step, bytes.size() - at);
        answer.take(bytes.data() + at, n, body);
        at += n;
    }
    if (ended) answer.end();
    return {answer.state(), body, answer.keepAlive()};
}

TEST(HttpAnswer, EveryFramingGivesTheSameBodyInAnyPiecesAndKeepsTheConnectionOnlyWhenItMay) {
    struct Row {
        const char* what;
        std::string bytes;
        bool ended;
        State state;
        const char* body;
        bool keep;
    };
    const Row rows[] = {
        {"length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", false, State::Done, "hello", true},
        {"bare newlines, header case", "HTTP/1.1 200 OK\ncontent-LENGTH:5\n\nhello", false, State::Done,
         "hello", true},
        {"chunks, extension, trailer",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3;x=1\r\nhel\r\nA\r\nlo, world!\r\n0\r\nT: "
         "1\r\n\r\n",
         false, State::Done, "hello, world!", true},
        {"until the end", "HTTP/1.1 200 OK\r\n\r\nhello", true, State::Done, "hello", false},
        {"1.0 closes", "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nhi", false, State::Done, "hi", false},
        {"1.0 asked to keep", "HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\nContent-Length: 2\r\n\r\nhi",
         false, State::Done, "hi", true},
        {"close asked", "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: 2\r\n\r\nhi", false,
         State::Done, "hi", false},
        {"interim answer first",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi", false, State::Done,
         "hi", true},
        {"no body", "HTTP/1.1 204 No Content\r\n\r\n", false, State::Done, "", true},
        {"more than announced", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhiEXTRA", false, State::Done,
         "hi", false},
        // Cut short or malformed: never Done, whatever the pieces.
        {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nhello", true, State::Bad, "hello", false},
        {"chunk cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nhel", true, State::Bad,
         "hel", false},
        {"head cut short", "HTTP/1.1 200 OK\r\nContent-Le", true, State::Bad, "", false},
        {"nothing at all", "", true, State::Bad, "", false},
        {"not HTTP", "SSH-2.0-x\r\n\r\n", false, State::Bad, "", false},
        {"no status", "HTTP/1.1 000 \r\nContent-Length: 0\r\n\r\n", false, State::Bad, "", false},
        {"two lengths", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\nhi", false,
         State::Bad, "", false},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, State::Bad, "", false},
        {"bad chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", false, State::Bad,
         "", false},
        {"chunk without its end",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nhiXX\r\n0\r\n\r\n", false, State::Bad,
         "hi", false},
        {"packed encoding", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\nxx", false, State::Bad, "",
         false},
        {"switching protocols", "HTTP/1.1 101 Switching\r\n\r\n", false, State::Bad, "", false},
    };
    for (const Row& row : rows) {
        for (std::size_t step : {std::size_t(0), std::size_t(1), std::size_t(7)}) {
            const Read got = readAnswer(row.bytes, step, row.ended);
            EXPECT_EQ(row.state, got.state) << row.what << " in pieces of " << step;
            EXPECT_EQ(row.body, got.body) << row.what << " in pieces of " << step;
            EXPECT_EQ(row.keep, got.keep) << row.what << " in pieces of " << step;
        }
    }

    // The status and a redirect's target are read; a head without end is cut off at the limit.
    HttpAnswer redirect;
    std::string body;
    const std::string moved =
        "HTTP/1.1 302 Found\r\nLocation:  http://127.0.0.1:9/x \r\nContent-Length: 0\r\n\r\n";
    redirect.take(moved.data(), moved.size(), body);
    EXPECT_EQ(302, redirect.status());
    EXPECT_EQ("http://127.0.0.1:9/x", redirect.location());
    HttpAnswer endless;
    const std::string head = "HTTP/1.1 200 OK\r\n" + std::string(HttpAnswer::kHeadLimit, 'a');
    EXPECT_EQ(State::Bad, endless.take(head.data(), head.size(), body));
    const std::string headers = "HTTP/1.1 200 OK\r\n";
    HttpAnswer many;
    many.take(headers.data(), headers.size(), body);
    for (std::size_t i = 0; i < HttpAnswer::kHeadLimit / 8 && many.state() == State::Head; ++i)
        many.take("X: 1234\r\n", 9, body);
    EXPECT_EQ(State::Bad, many.state());
}

TEST(HttpAnswer, OnlyAGetOfTheLoopbackByNumberIsAskedAndItsPathCannotEndTheRequestLine) {
    int port = 0;
    std::string path;
    ASSERT_TRUE(loopbackHttpUrl("http://127.0.0.1:8085/data.json", port, path));
    EXPECT_EQ(8085, port);
    EXPECT_EQ("/data.json", path);
    ASSERT_TRUE(loopbackHttpUrl("http://127.0.0.1", port, path));
    EXPECT_EQ(80, port);
    EXPECT_EQ("/", path);
    ASSERT_TRUE(loopbackHttpUrl("http://127.0.0.1:1/a?b=c#frag", port, path));
    EXPECT_EQ("/a?b=c", path);
    for (const char* url :
         {"http://localhost:8085/data.json", "https://127.0.0.1:8085/", "http://127.0.0.10/",
          "http://127.0.0.1.example/", "http://127.0.0.1:0/", "http://127.0.0.1:65536/", "http://127.0.0.1:/",
          "http://127.0.0.1:80x/", "http://127.0.0.1@192.0.2.1/", "http://127.0.0.1/a b",
          "http://127.0.0.1/a\r\nHost: x", "ftp://127.0.0.1/"})
        EXPECT_FALSE(loopbackHttpUrl(url, port, path)) << url;
    EXPECT_EQ(
        "GET /data.json HTTP/1.1\r\nHost: 127.0.0.1:8085\r\nUser-Agent: Tabrix\r\nConnection: "
        "keep-alive\r\n\r\n",
        loopbackGetRequest(8085, "/data.json", "Tabrix"));
}

}  // namespace
}  // namespace tabrix
