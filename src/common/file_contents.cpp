#include "common/file_contents.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ixo {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

bool FileContents::Read(const std::filesystem::path& path) {
    m_data.reset();
    m_size = 0;
    m_error.clear();
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0) {
        m_error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        m_error = "not a regular file";
        return false;
    }
    const auto expected = static_cast<std::size_t>(status.st_size);
    auto data = std::make_unique_for_overwrite<std::uint8_t[]>(expected);
    std::size_t size = 0;
    // A file that grows or shrinks meanwhile gives what was there up to its first size.
    while (size < expected) {
        const ssize_t got = ::read(file.Get(), data.get() + size, expected - size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            m_error = std::strerror(errno);
            return false;
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    m_data = std::move(data);
    m_size = size;
    return true;
}

} // namespace ixo
