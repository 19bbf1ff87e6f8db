#include "commandline/DescriptorDevice.h"

#include "platform/SystemReason.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace tarvis {

// Waits until the descriptor is ready; false when even that fails (the reason is kept).
bool DeskriptorGeraet::Warte(short worauf) {
    pollfd bereit{fd_, worauf, 0};
    while (::poll(&bereit, 1, -1) < 0) {
        if (errno != EINTR) {
            fehler_ = errno;
            return false;
        }
    }
    return true;
}

qint64 DeskriptorGeraet::readData(char* daten, qint64 hoechstens) {
    for (;;) {
        const ssize_t n = ::read(fd_, daten, static_cast<size_t>(hoechstens));
        if (n >= 0) {
            return n; // 0 is the end of the input
        }
        if (errno == EINTR || ((errno == EAGAIN || errno == EWOULDBLOCK) && Warte(POLLIN))) {
            continue;
        }
        if (fehler_ == 0) {
            fehler_ = errno;
        }
        setErrorString(SystemGrund(fehler_));
        return -1;
    }
}

qint64 DeskriptorGeraet::writeData(const char* daten, qint64 anzahl) {
    qint64 geschrieben = 0;
    while (geschrieben < anzahl) {
        const ssize_t n =
            ::write(fd_, daten + geschrieben, static_cast<size_t>(anzahl - geschrieben));
        if (n > 0) {
            geschrieben += n;
            continue;
        }
        if (n < 0 &&
            (errno == EINTR || ((errno == EAGAIN || errno == EWOULDBLOCK) && Warte(POLLOUT)))) {
            continue;
        }
        if (fehler_ == 0) {
            fehler_ = n == 0 ? EIO : errno;
        }
        setErrorString(SystemGrund(fehler_));
        return -1;
    }
    return geschrieben;
}

} // namespace tarvis
