// libFuzzer target over the loopback client's answer reader: the first byte picks the size of
// the pieces the rest arrives in, then whether the connection ends. Whatever the bytes, the
// reader must give the same state, status and body in pieces as whole, never more body than
// bytes, and Done only once the head is read. Built and run by scripts/fuzz.sh http.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/HttpAnswer.h"

#define check(ok) \
    ((ok) ? (void)0 : (std::fprintf(stderr, "invariant failed at line %d\n", __LINE__), std::abort()))

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t step = data[0] % 17 + 1;
    const bool ended = data[0] & 1;
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::size_t n = size - 1;

    tabrix::HttpAnswer whole, pieces;
    std::string wholeBody, piecesBody;
    whole.take(bytes, n, wholeBody);
    for (std::size_t at = 0; at < n; at += step)
        pieces.take(bytes + at, n - at < step ? n - at : step, piecesBody);
    if (ended) {
        whole.end();
        pieces.end();
    }
    check(whole.state() == pieces.state());
    check(whole.status() == pieces.status());
    check(whole.keepAlive() == pieces.keepAlive());
    check(wholeBody == piecesBody);
    check(wholeBody.size() <= n);
    if (whole.state() == tabrix::HttpAnswer::State::Done)
        check(whole.status() >= 200 && whole.status() <= 999);
    return 0;
}
