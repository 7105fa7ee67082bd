#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

typedef struct evp_pkey_st EVP_PKEY;

namespace dovra {

// The publisher's public keys in the program folder, which every downloaded file must be signed with. An
// installed program's folder belongs to root, so a user cannot add a key of their own.
inline constexpr char TrustedKeysFileName[] = "dovra-update.pub";
// A detached Ed25519 signature: the 64 raw bytes that `openssl pkeyutl -sign -rawin` writes.
inline constexpr qsizetype SignatureSize = 64;

// The name of a file's signature beside it on the server.
QString signatureName(const QString& fileName);
// What the user is told when a file carries no valid signature of a trusted key.
QString signatureRefusedMessage(const QString& fileName);

// The Ed25519 public keys of a PEM file, each of which may have signed a download.
class TrustedKeys
{
public:
    // Every Ed25519 public key in the file; other blocks are left out. None when the file is missing.
    static TrustedKeys read(const QString& path);

    bool isEmpty() const { return m_keys.empty(); }
    // True when one of the keys verifies signature as the signature of data.
    bool verifies(QByteArrayView data, QByteArrayView signature) const;
    // The same for the contents of a file; false when it cannot be read.
    bool verifiesFile(const QString& path, QByteArrayView signature) const;

private:
    struct FreeKey
    {
        void operator()(EVP_PKEY* key) const;
    };
    std::vector<std::unique_ptr<EVP_PKEY, FreeKey>> m_keys;
};

} // namespace dovra
