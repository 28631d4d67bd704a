#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The profile-file format worked on as bytes in memory, so that every rule can be
// tested and fuzzed without a disk. IniFile puts the file access around it.
//
// Lines end at CR LF, LF or a lone CR. A line whose first non-blank byte is "[" and
// that holds a "]" opens the section named by the bytes between them. A line with an
// "=" is a key: the name is the text before the first "=", the value the text after
// it. Names and values lose blanks (space, tab, VT, FF, Ctrl-Z) at both ends.
// Everything else (blank lines, lines without "=", lines before the first section)
// is never read and never changed. Names compare without regard to ASCII letter case.
// Only the first section of a name counts, as with the system's own profile
// functions: a repeated section is dead. A UTF-8 byte-order mark at the start of the
// text is no part of the first line; writes keep it there.
namespace tabrix::ini {

// The longest value a reader gets: the system's 2048-byte buffer less its NUL.
constexpr std::size_t kMaxValueLength = 2047;

// The value a reader gets for the first `key` of the first `section`: without
// blanks at the ends, without one pair of matching quotes enclosing it, cut at a
// NUL byte (the system's strings end there) and at kMaxValueLength bytes.
// Empty optional when the section or the key is absent.
std::optional<std::string> findValue(std::string_view text, std::string_view section, std::string_view key);

// `text` with the key set. The first matching key line is rewritten in place as
// name=value keeping its own line end; a missing key becomes the line after the last
// non-blank line of its section; a missing section is added at the end of the text.
// New lines end with CR LF. When the stored value already equals `value`, `text`
// comes back unchanged. Names and value are cut at the first NUL, CR or LF, since
// an entry is one line; names also lose blanks at the ends.
std::string withValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace tabrix::ini
