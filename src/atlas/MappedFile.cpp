#include "atlas/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atlas {

std::shared_ptr<const MappedFile> MappedFile::open(const std::filesystem::path& file,
                                                   std::string& error)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::filesystem::exists(file) ? "it cannot be opened" : "the file does not exist";
        return nullptr;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        error = "it is not a file";
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void* data = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (data == MAP_FAILED) {
        error = "it cannot be read";
        return nullptr;
    }
    return std::shared_ptr<const MappedFile>(
        new MappedFile(static_cast<const unsigned char*>(data), size));
}

MappedFile::~MappedFile()
{
    if (data != nullptr)
        ::munmap(const_cast<unsigned char*>(data), size);
}

} // namespace atlas
