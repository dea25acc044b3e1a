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

// A named socket inside the testbed: one of the uevent monitors umockdev serves.
bool IsTestbedSocket(const msghdr* message)
{
    const char* root = std::getenv("UMOCKDEV_DIR");
    if (!root || !message || !message->msg_name || message->msg_namelen <= sizeof(sa_family_t))
        return false;
    const auto* address = static_cast<const sockaddr_un*>(message->msg_name);
    return address->sun_family == AF_UNIX && std::strncmp(address->sun_path, root, std::strlen(root)) == 0;
}

} // namespace

extern "C" ssize_t sendmsg(int socket, const msghdr* message, int flags)
{
    const ssize_t sent = NextSendMessage()(socket, message, flags);
    if (sent >= 0 || errno != ECONNREFUSED || !IsTestbedSocket(message))
        return sent;
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
