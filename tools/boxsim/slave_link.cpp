#include "boxsim/slave_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace qel::boxsim {
namespace {

std::string readLink(const std::string& path) {
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return {};
    target.resize(static_cast<std::size_t>(length));
    return target;
}

}  // namespace

SlaveLink::SlaveLink(std::string linkPath, std::string target)
    : link_(std::move(linkPath)), target_(std::move(target)) {
    struct stat info {};
    if (::lstat(link_.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            const std::string what = "will not replace " + link_ + ": it is not a symlink";
            link_.clear();
            throw std::system_error(EEXIST, std::generic_category(), what);
        }
        ::unlink(link_.c_str());
    }
    if (::symlink(target_.c_str(), link_.c_str()) != 0) {
        const int error = errno;
        const std::string what = "cannot create the symlink " + link_;
        link_.clear();
        throw std::system_error(error, std::generic_category(), what);
    }
}

SlaveLink::SlaveLink(SlaveLink&& other) noexcept
    : link_(std::exchange(other.link_, {})), target_(std::move(other.target_)) {}

SlaveLink& SlaveLink::operator=(SlaveLink&& other) noexcept {
    if (this != &other) {
        remove();
        link_ = std::exchange(other.link_, {});
        target_ = std::move(other.target_);
    }
    return *this;
}

void SlaveLink::remove() {
    if (link_.empty()) return;
    if (readLink(link_) == target_) ::unlink(link_.c_str());
    link_.clear();
}

}  // namespace qel::boxsim
