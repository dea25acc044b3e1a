#pragma once

namespace Sim {

// umockdev 0.17 aborts the process that owns a testbed when a program's uevent monitor closes
// between umockdev's connect and sendmsg, which happens when a program exits while the headset
// re-enumerates (fixed in later umockdev releases). The guard makes such a send count as delivered
// to nobody, as umockdev itself does when the connect fails. Calling this keeps the guard linked.
void KeepUeventSendGuard();

} // namespace Sim
