#pragma once

// A report's dataset rows kept compactly: in memory while they are few, in an unnamed temporary
// file beyond that, each row read back when the layout asks for it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/data/variant.h"

namespace host {

class RowStore {
public:
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t{8} << 20;

    // Rows beyond `memoryLimit` bytes go to a file in `directory` that no name refers to (the
    // system's temporary directory when the text is empty), gone when the store is.
    explicit RowStore(std::string directory = {}, std::size_t memoryLimit = kDefaultMemoryLimit);
    ~RowStore();
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    // Throws ReportError naming the system's reason when the file cannot be written.
    void append(const std::vector<Variant>& row);
    // After the last row: what is still in memory of a store that went to the file follows it.
    void finish();

    int size() const { return static_cast<int>(rowStart_.size()); }
    bool onDisk() const { return fd_ >= 0; }
    // A field of a row; reads the file when the row is not among those read last. The store is
    // read by one thread at a time.
    Variant value(int row, int field) const;

private:
    struct Block {
        std::uint64_t offset = 0;  // in the file
        std::uint32_t bytes = 0;
        std::string held;          // its bytes while in memory
    };
    // A block's rows decoded, each row's fields side by side.
    struct DecodedBlock {
        int block = -1;
        std::uint64_t used = 0;
        std::vector<Variant> values;
        std::vector<std::uint32_t> rowStart;  // into values, one past the last row too
    };

    void writeBlock(Block& block);
    void openFile();
    const DecodedBlock& decoded(int block) const;

    std::string directory_;
    std::size_t memoryLimit_;
    std::size_t heldBytes_ = 0;
    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
    std::vector<Block> blocks_;
    std::vector<std::uint32_t> rowStart_;  // within its block
    mutable std::vector<DecodedBlock> decoded_;
    mutable DecodedBlock* last_ = nullptr;
    mutable std::string readBuffer_;
    mutable std::uint64_t clock_ = 0;
};

}  // namespace host
