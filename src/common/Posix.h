#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorv {

/// Throws std::system_error for the current errno, naming what failed.
[[noreturn]] void throwErrno(const std::string& what);

/// Owns one file descriptor and closes it on destruction.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset();

private:
    int fd_ = -1;
};

/// The whole content of a file; nothing when it does not exist. Other
/// failures (no permission, a folder) throw std::system_error.
std::optional<std::string> readFileIfExists(const std::string& path);

/// Writes every byte of data to fd, retrying after interrupts and short
/// writes; throws std::system_error on failure.
void writeAll(int fd, std::string_view data, const std::string& pathForErrors);

} // namespace zorv
