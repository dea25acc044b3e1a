#include "web/CurlEasy.h"

#include "app/ProgramDirectory.h"

#include <QFile>

#include <openssl/crypto.h>

#include <mutex>

namespace OrvoCommon {

namespace {
constexpr char CaBundleName[] = "cacert.pem";
constexpr long MaximumRedirects = 10;
} // namespace

CurlEasy::CurlEasy()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_ALL); });
    m_handle = curl_easy_init();
}

CurlEasy::~CurlEasy()
{
    if (m_handle)
        curl_easy_cleanup(m_handle);
}

CurlEasy::ThreadStateRelease::~ThreadStateRelease()
{
    OPENSSL_thread_stop();
}

void CurlEasy::ApplyCommonOptions(const char* redirectProtocols)
{
    curl_easy_setopt(m_handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(m_handle, CURLOPT_REDIR_PROTOCOLS_STR, redirectProtocols);
    curl_easy_setopt(m_handle, CURLOPT_MAXREDIRS, MaximumRedirects);
    // A bundle shipped beside the program wins; without one the system's CA store is used.
    const QString bundle = ProgramDirectory() + QLatin1Char('/') + QLatin1String(CaBundleName);
    if (QFile::exists(bundle))
        curl_easy_setopt(m_handle, CURLOPT_CAINFO, bundle.toLocal8Bit().constData());
}

} // namespace OrvoCommon
