#include "sim/umockdev/UeventSendGuard.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using SendMessage = ssize_t (*)(int, const msghdr*, int);

SendMessage NextSendMessage()
{
    static const auto next = reinterpret_cast<SendMessage>(dlsym(RTLD_NEXT, "sendmsg"));
    return next;
}

// A named socket inside the testbed: one of the uevent monitors umockdev serves. umockdev sends on a
// connected socket and names the monitor without giving the name's length, so a zero length counts.
bool IsTestbedSocket(int socket, const msghdr* message)
{
    const char* root = std::getenv("UMOCKDEV_DIR");
    if (!root || !message || !message->msg_name)
        return false;
    if (message->msg_namelen != 0 && message->msg_namelen <= sizeof(sa_family_t))
        return false;
    int domain = 0;
    socklen_t size = sizeof(domain);
    if (getsockopt(socket, SOL_SOCKET, SO_DOMAIN, &domain, &size) != 0 || domain != AF_UNIX)
        return false;
    const auto* address = static_cast<const sockaddr_un*>(message->msg_name);
    return address->sun_family == AF_UNIX && std::strncmp(address->sun_path, root, std::strlen(root)) == 0;
}

} // namespace

extern "C" ssize_t sendmsg(int socket, const msghdr* message, int flags)
{
    const ssize_t sent = NextSendMessage()(socket, message, flags);
    const int error = errno;
    if (sent >= 0 || error != ECONNREFUSED)
        return sent;
    if (!IsTestbedSocket(socket, message)) {
        errno = error;
        return sent;
    }
    // The monitor has gone: forget its socket, as umockdev does when it finds out at connect time.
    unlink(static_cast<const sockaddr_un*>(message->msg_name)->sun_path);
    ssize_t length = 0;
    for (std::size_t i = 0; i < message->msg_iovlen; ++i)
        length += static_cast<ssize_t>(message->msg_iov[i].iov_len);
    return length;
}

namespace Sim {

void KeepUeventSendGuard() {}

} // namespace Sim
