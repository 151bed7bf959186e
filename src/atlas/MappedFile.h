// A file mapped read-only into memory: its pages are read as they are touched
// and shared with the system's file cache. Plain C++20 over POSIX, no Qt.
#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace atlas {

class MappedFile
{
public:
    /// The mapped file, or null with why it cannot be mapped in error.
    static std::shared_ptr<const MappedFile> open(const std::filesystem::path& file,
                                                  std::string& error);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    [[nodiscard]] std::span<const unsigned char> bytes() const { return {data, size}; }

private:
    MappedFile(const unsigned char* data, std::size_t size) : data(data), size(size) {}

    const unsigned char* data;
    std::size_t size;
};

} // namespace atlas
