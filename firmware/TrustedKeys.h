#pragma once

#include "firmware/Ed25519Key.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace OrvoCommon {

// The Ed25519 public keys trusted to sign index files: PEM files named "*.pem" beside the program,
// listed by Config.xml's IndexFileTrustedKeys (separated by white space, so that a new key can be
// shipped before the maker signs with it). With none listed, index files are taken unsigned, as
// the maker's existing files are.
class TrustedKeys
{
public:
    // Limits a key file's read; a PEM Ed25519 public key is 113 bytes.
    static constexpr qint64 MaximumKeyFileSize = 64 * 1024;

    // Throws "config-file-error" (logged) when a listed key cannot be read: a broken key must stop
    // updates, never quietly turn the check off.
    static TrustedKeys FromConfiguration();

    void Add(const QString& name, Ed25519Key key) { m_keys.emplace_back(name, std::move(key)); }
    bool IsEmpty() const { return m_keys.empty(); }
    // The name of the first key under which the signature holds for the message; empty when none.
    QString FindSigner(const QByteArray& message, const QByteArray& signature) const;

private:
    std::vector<std::pair<QString, Ed25519Key>> m_keys;
};

} // namespace OrvoCommon
