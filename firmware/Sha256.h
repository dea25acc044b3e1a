#pragma once

#include <QByteArray>

#include <cstddef>
#include <memory>

struct evp_md_ctx_st;

namespace OrvoCommon {

// SHA-256 through OpenSSL's libcrypto (the library libcurl already brings), fed in pieces so that
// an image is hashed in the same pass that computes its CRC.
class Sha256
{
public:
    static constexpr int Size = 32;

    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const char* data, std::size_t size);
    // The 32-byte digest of what was fed; empty if libcrypto failed, which no expected digest matches.
    QByteArray Final();

    static QByteArray Of(const QByteArray& data);

private:
    struct Free
    {
        void operator()(evp_md_ctx_st* context) const;
    };
    std::unique_ptr<evp_md_ctx_st, Free> m_context;
    bool m_failed = false;
};

} // namespace OrvoCommon
