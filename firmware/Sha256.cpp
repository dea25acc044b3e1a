#include "firmware/Sha256.h"

#include <openssl/evp.h>

namespace OrvoCommon {

void Sha256::Free::operator()(EVP_MD_CTX* context) const
{
    EVP_MD_CTX_free(context);
}

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    m_failed = !m_context || EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr) != 1;
}

Sha256::~Sha256() = default;

void Sha256::Update(const char* data, std::size_t size)
{
    if (!m_failed && size > 0)
        m_failed = EVP_DigestUpdate(m_context.get(), data, size) != 1;
}

QByteArray Sha256::Final()
{
    QByteArray digest(Size, Qt::Uninitialized);
    unsigned int length = 0;
    if (m_failed ||
        EVP_DigestFinal_ex(m_context.get(), reinterpret_cast<unsigned char*>(digest.data()), &length) != 1 ||
        length != Size)
        return QByteArray();
    m_failed = true; // the context is spent
    return digest;
}

QByteArray Sha256::Of(const QByteArray& data)
{
    Sha256 hash;
    hash.Update(data.constData(), static_cast<std::size_t>(data.size()));
    return hash.Final();
}

} // namespace OrvoCommon
