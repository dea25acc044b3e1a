#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct evp_pkey_st;

namespace OrvoCommon {

// One Ed25519 key held by OpenSSL's libcrypto: a public key checks signatures, a private key also
// makes them. Index files are signed with these, detached, over the file's exact bytes.
class Ed25519Key
{
public:
    static constexpr int SignatureSize = 64;

    Ed25519Key();
    ~Ed25519Key();
    Ed25519Key(Ed25519Key&&) noexcept;
    Ed25519Key& operator=(Ed25519Key&&) noexcept;

    // A fresh private key; null when libcrypto cannot make one.
    static Ed25519Key Generate();
    // Reads a PEM "PUBLIC KEY", or with privateKey a PEM "PRIVATE KEY"; null, with the reason in
    // *error, when the text holds no such key or one of another algorithm.
    static Ed25519Key FromPem(const QByteArray& pem, bool privateKey, QString* error);

    bool IsNull() const { return !m_key; }
    QByteArray PublicPem() const;
    // Empty for a public key.
    QByteArray PrivatePem() const;
    // The 64-byte signature; empty without the private half or when libcrypto fails.
    QByteArray Sign(const QByteArray& message) const;
    bool Verify(const QByteArray& message, const QByteArray& signature) const;

private:
    struct Free
    {
        void operator()(evp_pkey_st* key) const;
    };
    explicit Ed25519Key(evp_pkey_st* key);

    std::unique_ptr<evp_pkey_st, Free> m_key;
    bool m_private = false;
};

} // namespace OrvoCommon
