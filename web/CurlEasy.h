#pragma once

#include <curl/curl.h>

namespace OrvoCommon {

// One libcurl easy handle, owned for the life of its transfer thread. The first handle of the
// process initialises libcurl globally, once.
class CurlEasy
{
public:
    CurlEasy();
    ~CurlEasy();
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;

    CURL* Handle() const { return m_handle; }

    // Options every transfer of this program needs after a reset: no signals (worker threads),
    // a bounded redirect chain limited to the given protocols, and the certificate bundle.
    void ApplyCommonOptions(const char* redirectProtocols);

    // Frees OpenSSL's per-thread state (its random generators) when a transfer thread's run() ends.
    // OpenSSL would free it when the thread exits, but that is after QThread::wait() has returned,
    // so a program that ends right after a transfer could lose it.
    struct ThreadStateRelease
    {
        ThreadStateRelease() = default;
        ~ThreadStateRelease();
        ThreadStateRelease(const ThreadStateRelease&) = delete;
        ThreadStateRelease& operator=(const ThreadStateRelease&) = delete;
    };

private:
    CURL* m_handle = nullptr;
};

} // namespace OrvoCommon
