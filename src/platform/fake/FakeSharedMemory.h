#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/SharedMemoryApi.h"

namespace tabrix {

// Published blocks by name; a read copies at most what was asked, as a view's copy does.
class FakeSharedMemory : public SharedMemoryApi {
public:
    bool read(const std::string& name, std::size_t maxBytes, std::string& bytes) override {
        ++reads;
        bytes.clear();
        auto it = blocks.find(name);
        if (it == blocks.end()) return false;
        bytes = it->second.substr(0, maxBytes);
        return true;
    }

    std::unique_ptr<SharedView> open(const std::string& name) override {
        ++opens[name];
        if (!blocks.count(name)) return nullptr;
        return std::make_unique<View>(*this, name);
    }

    std::map<std::string, std::string> blocks;
    int reads = 0;
    std::map<std::string, int> opens;
    // Runs after every copy from an open view, with the block as it is: a test changes it
    // there as a publisher would while the reader copies.
    std::function<void(const std::string& name, std::string& block)> onCopy;

private:
    // Reads the block as it is now; one the test has taken away stays as it last was, as a
    // mapping lives on while a view of it is open.
    class View : public SharedView {
    public:
        View(FakeSharedMemory& memory, std::string name)
            : memory_(memory), name_(std::move(name)), kept_(memory.blocks[name_]) {}
        std::size_t size() const override { return current().size(); }
        void copy(std::size_t offset, std::size_t length, std::string& bytes) override {
            const std::string& block = current();
            bytes = offset < block.size() ? block.substr(offset, length) : std::string();
            auto it = memory_.blocks.find(name_);
            if (memory_.onCopy && it != memory_.blocks.end()) memory_.onCopy(name_, it->second);
        }

    private:
        const std::string& current() const {
            auto it = memory_.blocks.find(name_);
            if (it != memory_.blocks.end()) kept_ = it->second;
            return kept_;
        }
        FakeSharedMemory& memory_;
        std::string name_;
        mutable std::string kept_;
    };
};

}  // namespace tabrix
