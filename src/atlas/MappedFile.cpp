#include "atlas/MappedFile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atlas {
namespace {

struct ErrnoText
{
    int error;
    const char* text;
};

// Why a path cannot be examined (stat) or opened, in words.
constexpr std::array<ErrnoText, 4> kPathErrors{{
    {ENOENT, "the file does not exist"},
    {ENOTDIR, "a part of its path is not a folder"},
    {ELOOP, "its path runs round a loop of symbolic links"},
    {ENAMETOOLONG, "its name is too long"},
}};

std::string pathErrorText(int error, const char* denied)
{
    if (error == EACCES || error == EPERM)
        return denied;
    for (const ErrnoText& known : kPathErrors)
        if (known.error == error)
            return known.text;
    return std::string("it cannot be opened (") + std::strerror(error) + ")";
}

/// Why something that is not a regular file cannot be the index; null for a file.
const char* notAFile(mode_t mode)
{
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a named pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    return "it is not a file";
}

} // namespace

std::shared_ptr<const MappedFile> MappedFile::open(const std::filesystem::path& file,
                                                   std::string& error)
{
    // Looked at before it is opened: opening a named pipe would wait for a writer, and
    // opening a device may act on it.
    struct stat status
    {
    };
    if (::stat(file.c_str(), &status) != 0) {
        error = pathErrorText(errno, "a folder on its path cannot be searched by this user");
        return nullptr;
    }
    if (const char* why = notAFile(status.st_mode)) {
        error = why;
        return nullptr;
    }
    // Non-blocking all the same: something else may have been put there since.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        error = pathErrorText(errno, "this user may not read it");
        return nullptr;
    }
    if (::fstat(fd, &status) != 0 || notAFile(status.st_mode) != nullptr) {
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
