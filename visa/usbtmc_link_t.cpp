#include "usbtmc_link_t.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#if __has_include(<linux/usb/tmc.h>)
#include <linux/usb/tmc.h>
#endif
// Kernel ABI of the usbtmc driver, for systems without the header.
#ifndef USBTMC_IOC_NR
#define USBTMC_IOC_NR 91
#endif
#ifndef USBTMC_IOCTL_CLEAR
#define USBTMC_IOCTL_CLEAR _IO(USBTMC_IOC_NR, 2)
#endif
#ifndef USBTMC_IOCTL_SET_TIMEOUT
#define USBTMC_IOCTL_SET_TIMEOUT _IOW(USBTMC_IOC_NR, 10, uint32_t)
#endif

namespace {
ViStatus errno_status(int e)
{
    switch (e) {
    case ETIMEDOUT:
    case EAGAIN:
        return VI_ERROR_TMO;
    case ENODEV:
    case ENXIO:
    case EPIPE:
    case ESHUTDOWN:
        return VI_ERROR_CONN_LOST;
    default:
        return VI_ERROR_IO;
    }
}
} // namespace

usbtmc_link_t::~usbtmc_link_t()
{
    close();
}

ViStatus usbtmc_link_t::open(const std::string &node, ViUInt32 timeout_ms)
{
    close();
    fd_ = ::open(node.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        return VI_ERROR_RSRC_NFOUND;
    // The driver blocks for its own timeout; plain files (tests) ignore it.
    const int flags = ::fcntl(fd_, F_GETFL);
    ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    set_timeout(timeout_ms);
    return VI_SUCCESS;
}

ViStatus usbtmc_link_t::set_timeout(ViUInt32 timeout_ms)
{
    if (fd_ < 0)
        return VI_ERROR_INV_OBJECT;
    // The driver refuses values under 100 ms; "infinite" is its maximum.
    uint32_t t = timeout_ms < 100 ? 100 : timeout_ms;
    if (::ioctl(fd_, USBTMC_IOCTL_SET_TIMEOUT, &t) != 0 && errno != ENOTTY && errno != EINVAL)
        return VI_ERROR_IO;
    return VI_SUCCESS;
}

ViStatus usbtmc_link_t::write(const ViByte *buf, size_t len, size_t *written)
{
    *written = 0;
    if (fd_ < 0)
        return VI_ERROR_CONN_LOST;
    for (;;) {
        const ssize_t n = ::write(fd_, buf, len);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno_status(errno);
        *written = static_cast<size_t>(n);
        return static_cast<size_t>(n) == len ? VI_SUCCESS : VI_ERROR_IO;
    }
}

ViStatus usbtmc_link_t::read(ViByte *buf, size_t cnt, size_t *got)
{
    *got = 0;
    if (fd_ < 0)
        return VI_ERROR_CONN_LOST;
    if (cnt == 0)
        return VI_SUCCESS_MAX_CNT;
    for (;;) {
        const ssize_t n = ::read(fd_, buf, cnt);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno_status(errno);
        *got = static_cast<size_t>(n);
        // One transfer per read: a short one ended the message.
        return static_cast<size_t>(n) == cnt ? VI_SUCCESS_MAX_CNT : VI_SUCCESS;
    }
}

ViStatus usbtmc_link_t::clear()
{
    if (fd_ < 0)
        return VI_ERROR_CONN_LOST;
    if (::ioctl(fd_, USBTMC_IOCTL_CLEAR) != 0 && errno != ENOTTY)
        return errno_status(errno);
    return VI_SUCCESS;
}

void usbtmc_link_t::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}
