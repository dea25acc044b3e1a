#include "firmware/Ed25519Key.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace OrvoCommon {

namespace {

struct FreeBio
{
    void operator()(BIO* bio) const { BIO_free(bio); }
};
using Bio = std::unique_ptr<BIO, FreeBio>;

struct FreeContext
{
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_MD_CTX, FreeContext>;

QByteArray Drain(BIO* bio)
{
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? QByteArray(data, static_cast<int>(size)) : QByteArray();
}

const unsigned char* Bytes(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

// libcrypto keeps its reasons in a per-thread queue; the reason goes into the message and the
// queue is left empty for whoever calls next.
QString LastError()
{
    const unsigned long code = ERR_peek_last_error();
    ERR_clear_error();
    if (code == 0)
        return QStringLiteral("no key found");
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return QString::fromLatin1(text);
}

} // namespace

void Ed25519Key::Free::operator()(EVP_PKEY* key) const
{
    EVP_PKEY_free(key);
}

Ed25519Key::Ed25519Key() = default;
Ed25519Key::~Ed25519Key() = default;
Ed25519Key::Ed25519Key(Ed25519Key&&) noexcept = default;
Ed25519Key& Ed25519Key::operator=(Ed25519Key&&) noexcept = default;
Ed25519Key::Ed25519Key(EVP_PKEY* key) : m_key(key) {}

Ed25519Key Ed25519Key::Generate()
{
    Ed25519Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"));
    key.m_private = !key.IsNull();
    ERR_clear_error();
    return key;
}

Ed25519Key Ed25519Key::FromPem(const QByteArray& pem, bool privateKey, QString* error)
{
    const Bio bio(BIO_new_mem_buf(pem.constData(), pem.size()));
    EVP_PKEY* raw = nullptr;
    if (bio) {
        raw = privateKey ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr)
                         : PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr);
    }
    Ed25519Key key(raw);
    if (key.IsNull()) {
        *error = LastError();
        return key;
    }
    ERR_clear_error();
    if (EVP_PKEY_get_id(raw) != EVP_PKEY_ED25519) {
        *error = QStringLiteral("the key is not an Ed25519 key");
        return Ed25519Key();
    }
    key.m_private = privateKey;
    return key;
}

QByteArray Ed25519Key::PublicPem() const
{
    const Bio bio(BIO_new(BIO_s_mem()));
    if (!m_key || !bio || PEM_write_bio_PUBKEY(bio.get(), m_key.get()) != 1)
        return QByteArray();
    return Drain(bio.get());
}

QByteArray Ed25519Key::PrivatePem() const
{
    const Bio bio(BIO_new(BIO_s_mem()));
    if (!m_private || !bio ||
        PEM_write_bio_PrivateKey(bio.get(), m_key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1)
        return QByteArray();
    return Drain(bio.get());
}

QByteArray Ed25519Key::Sign(const QByteArray& message) const
{
    const Context context(EVP_MD_CTX_new());
    QByteArray signature(SignatureSize, Qt::Uninitialized);
    std::size_t length = SignatureSize;
    // Ed25519 hashes the message itself, so it is signed in one piece with no digest named.
    if (!m_private || !context || EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, m_key.get()) != 1 ||
        EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length, Bytes(message),
                       static_cast<std::size_t>(message.size())) != 1 ||
        length != SignatureSize) {
        ERR_clear_error();
        return QByteArray();
    }
    return signature;
}

bool Ed25519Key::Verify(const QByteArray& message, const QByteArray& signature) const
{
    const Context context(EVP_MD_CTX_new());
    const bool verified = m_key && context && signature.size() == SignatureSize &&
                          EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, m_key.get()) == 1 &&
                          EVP_DigestVerify(context.get(), Bytes(signature), SignatureSize, Bytes(message),
                                           static_cast<std::size_t>(message.size())) == 1;
    ERR_clear_error();
    return verified;
}

} // namespace OrvoCommon
