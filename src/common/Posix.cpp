#include "common/Posix.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace zorv {

void throwErrno(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        reset();
        fd_ = other.release();
    }
    return *this;
}

int UniqueFd::release()
{
    int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::optional<std::string> readFileIfExists(const std::string& path)
{
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno == ENOENT)
            return std::nullopt;
        throwErrno("cannot open " + path);
    }
    std::string content;
    char buffer[16384];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwErrno("cannot read " + path);
        if (n == 0)
            return content;
        content.append(buffer, static_cast<size_t>(n));
    }
}

void writeAll(int fd, std::string_view data, const std::string& pathForErrors)
{
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwErrno("cannot write " + pathForErrors);
        data.remove_prefix(static_cast<size_t>(n));
    }
}

} // namespace zorv
