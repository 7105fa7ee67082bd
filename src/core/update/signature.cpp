#include "update/signature.h"

#include <QFile>

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace dovra {

namespace {
// A key file holds a few keys (the current one and the next); more is no key file.
constexpr qint64 MaxKeysFileSize = 64 * 1024;
} // namespace

QString signatureName(const QString& fileName)
{
    return fileName + QStringLiteral(".sig");
}

QString signatureRefusedMessage(const QString& fileName)
{
    return QStringLiteral("De handtekening van %1 is ongeldig of ontbreekt; er is niets geïnstalleerd.")
        .arg(fileName);
}

void TrustedKeys::FreeKey::operator()(EVP_PKEY* key) const
{
    EVP_PKEY_free(key);
}

TrustedKeys TrustedKeys::read(const QString& path)
{
    TrustedKeys keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    const QByteArray pem = file.read(MaxKeysFileSize);
    BIO* bio = BIO_new_mem_buf(pem.constData(), int(pem.size()));
    // Blocks other than public keys are skipped; the first malformed key ends the list.
    while (EVP_PKEY* key = bio ? PEM_read_bio_PUBKEY(bio, nullptr, nullptr, nullptr) : nullptr) {
        if (EVP_PKEY_get_id(key) == EVP_PKEY_ED25519)
            keys.m_keys.emplace_back(key);
        else
            EVP_PKEY_free(key);
    }
    BIO_free(bio);
    ERR_clear_error();
    return keys;
}

bool TrustedKeys::verifies(QByteArrayView data, QByteArrayView signature) const
{
    if (signature.size() != SignatureSize)
        return false;
    bool valid = false;
    for (const auto& key : m_keys) {
        EVP_MD_CTX* context = EVP_MD_CTX_new();
        // Ed25519 hashes the message itself: no digest is named, and the whole message goes in at once.
        valid =
            context && EVP_DigestVerifyInit(context, nullptr, nullptr, nullptr, key.get()) == 1 &&
            EVP_DigestVerify(context, reinterpret_cast<const unsigned char*>(signature.data()),
                             size_t(signature.size()), reinterpret_cast<const unsigned char*>(data.data()),
                             size_t(data.size())) == 1;
        EVP_MD_CTX_free(context);
        if (valid)
            break;
    }
    ERR_clear_error();
    return valid;
}

bool TrustedKeys::verifiesFile(const QString& path, QByteArrayView signature) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return verifies({}, signature);
    // Mapped rather than read: a program file may be large, and its pages are read once.
    const uchar* bytes = file.map(0, file.size());
    return bytes && verifies(QByteArrayView(bytes, file.size()), signature);
}

} // namespace dovra
