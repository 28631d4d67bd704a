#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/RegistryApi.h"

namespace tabrix {

// The current user's keys by path, each a set of text values; counts what was asked.
class FakeRegistry : public RegistryApi {
public:
    using Values = std::map<std::string, std::string>;

    std::unique_ptr<RegistryKey> openCurrentUser(const std::string& path) override {
        ++opens;
        auto it = keys.find(path);
        if (it == keys.end()) return nullptr;
        return std::make_unique<Key>(*this, it->second);
    }

    std::map<std::string, Values> keys;
    int opens = 0;
    int queries = 0;

private:
    class Key : public RegistryKey {
    public:
        Key(FakeRegistry& registry, const Values& values) : registry_(registry), values_(values) {}
        std::size_t valueCount() override { return values_.size(); }
        bool text(const std::string& name, std::string& value) override {
            ++registry_.queries;
            auto it = values_.find(name);
            if (it == values_.end() || it->second.size() + 1 > kRegistryTextMax) return false;
            value = it->second.substr(0, it->second.find('\0'));
            return true;
        }

    private:
        FakeRegistry& registry_;
        const Values& values_;
    };
};

}  // namespace tabrix
