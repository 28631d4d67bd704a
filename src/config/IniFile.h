#pragma once
#include <string>

#include "platform/Files.h"

namespace tabrix {

// The four settings operations on one profile file (config.ini). Every call goes to
// the file itself: reads load it afresh and each write replaces it at once, so any
// other IniFile on the same path sees the change on its next read. A missing file
// reads as all defaults and is created by the first write. Format rules: IniText.h.
class IniFile {
public:
    IniFile(Files& files, std::string path);

    std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
    // The text read with an empty default; "0x"/"0X" before more text counts as "$".
    // Empty or non-converting text (IntegerText.h) gives `def`.
    int readInteger(const std::string& section, const std::string& key, int def) const;

    // Throws Error("Unable to write to <path>") when the file cannot be replaced, or
    // when it exists but cannot be read (rewriting it would lose its other lines).
    // A write that leaves the bytes as they are does not touch the file.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);

    const std::string& path() const { return path_; }

private:
    Files& files_;
    std::string path_;
};

}  // namespace tabrix
