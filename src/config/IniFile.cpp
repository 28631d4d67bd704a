#include "config/IniFile.h"

#include <cstdint>
#include <utility>

#include "config/IniText.h"
#include "config/IntegerText.h"
#include "platform/Error.h"

namespace tabrix {

IniFile::IniFile(Files& files, std::string path) : files_(files), path_(std::move(path)) {}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& def) const {
    std::string text;
    if (!files_.read(path_, text)) return def;
    std::optional<std::string> value = ini::findValue(text, section, key);
    return value ? *value : def;
}

int IniFile::readInteger(const std::string& section, const std::string& key, int def) const {
    std::string text = readString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    std::int32_t value = 0;
    return textToInteger(text, value) ? value : def;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    std::string text;
    if (!files_.read(path_, text)) {
        if (files_.exists(path_)) throw Error("Unable to write to " + path_);
        text.clear();
    }
    std::string updated = ini::withValue(text, section, key, value);
    if (updated == text) return;
    if (!files_.writeAtomic(path_, updated)) throw Error("Unable to write to " + path_);
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

}  // namespace tabrix
