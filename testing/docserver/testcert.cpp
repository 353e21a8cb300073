#include "testing/docserver/testcert.h"

#include "core/certpins.h"

#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <QFile>

#include <stdexcept>

namespace ov::test {

namespace {

struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertDeleter {
    void operator()(X509* cert) const { X509_free(cert); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, KeyDeleter>;
using CertPtr = std::unique_ptr<X509, CertDeleter>;

void require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("test certificate: ") + what);
}

KeyPtr newKey() {
    KeyPtr key(EVP_EC_gen("P-256"));
    require(key != nullptr, "key generation");
    return key;
}

void addExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    require(ext != nullptr, "extension");
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

// An unsigned certificate for the key and name, valid from an hour ago for a year, with a
// random serial number (so that two certificates never look alike).
CertPtr newCertificate(EVP_PKEY* key, const QString& commonName) {
    CertPtr cert(X509_new());
    X509_set_version(cert.get(), 2);
    BIGNUM* serial = BN_new();
    BN_rand(serial, 64, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY);
    BN_to_ASN1_INTEGER(serial, X509_get_serialNumber(cert.get()));
    BN_free(serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 365L * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    const QByteArray cn = commonName.toUtf8();
    X509_NAME_add_entry_by_txt(X509_get_subject_name(cert.get()), "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char*>(cn.constData()), -1, -1, 0);
    return cert;
}

// "localhost" certificates also name the loopback addresses; others name only themselves.
void makeServerCertificate(X509* cert, X509* issuer, const QString& commonName) {
    addExtension(cert, issuer, NID_basic_constraints, "CA:FALSE");
    addExtension(cert, issuer, NID_ext_key_usage, "serverAuth");
    const QByteArray names = commonName == QStringLiteral("localhost")
                                 ? QByteArray("DNS:localhost,IP:127.0.0.1,IP:::1")
                                 : "DNS:" + commonName.toUtf8();
    addExtension(cert, issuer, NID_subject_alt_name, names.constData());
}

QByteArray drain(BIO* bio) {
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    QByteArray bytes(data, qsizetype(size));
    BIO_free(bio);
    return bytes;
}

QByteArray certificatePem(X509* cert) {
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, cert);
    return drain(bio);
}

QByteArray keyPem(EVP_PKEY* key) {
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_PrivateKey(bio, key, nullptr, nullptr, 0, nullptr, nullptr);
    return drain(bio);
}

QByteArray derSha256(X509* cert) {
    unsigned char* der = nullptr;
    const int size = i2d_X509(cert, &der);
    require(size > 0, "DER encoding");
    const QByteArray hash = certificateSha256(QByteArray(reinterpret_cast<char*>(der), size));
    OPENSSL_free(der);
    return hash;
}

TestCertificate finish(X509* cert, EVP_PKEY* key) {
    return TestCertificate{certificatePem(cert), keyPem(key), derSha256(cert)};
}

}  // namespace

TestCertificate makeSelfSignedCertificate(const QString& commonName) {
    KeyPtr key = newKey();
    CertPtr cert = newCertificate(key.get(), commonName);
    X509_set_issuer_name(cert.get(), X509_get_subject_name(cert.get()));
    makeServerCertificate(cert.get(), cert.get(), commonName);
    require(X509_sign(cert.get(), key.get(), EVP_sha256()) > 0, "signing");
    return finish(cert.get(), key.get());
}

struct TestCertificateAuthority::Impl {
    KeyPtr key;
    CertPtr cert;
};

TestCertificateAuthority::TestCertificateAuthority(const QString& name)
    : m_impl(std::make_unique<Impl>()) {
    m_impl->key = newKey();
    m_impl->cert = newCertificate(m_impl->key.get(), name);
    X509* cert = m_impl->cert.get();
    X509_set_issuer_name(cert, X509_get_subject_name(cert));
    addExtension(cert, cert, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(cert, cert, NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(cert, cert, NID_subject_key_identifier, "hash");
    require(X509_sign(cert, m_impl->key.get(), EVP_sha256()) > 0, "signing");
}

TestCertificateAuthority::~TestCertificateAuthority() = default;

QByteArray TestCertificateAuthority::certificatePem() const {
    return test::certificatePem(m_impl->cert.get());
}

bool TestCertificateAuthority::writeCertificatePem(const QString& fileName) const {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(certificatePem()) == certificatePem().size();
}

TestCertificate TestCertificateAuthority::issue(const QString& commonName) const {
    KeyPtr key = newKey();
    CertPtr cert = newCertificate(key.get(), commonName);
    X509_set_issuer_name(cert.get(), X509_get_subject_name(m_impl->cert.get()));
    makeServerCertificate(cert.get(), m_impl->cert.get(), commonName);
    addExtension(cert.get(), m_impl->cert.get(), NID_authority_key_identifier, "keyid");
    require(X509_sign(cert.get(), m_impl->key.get(), EVP_sha256()) > 0, "signing");
    return finish(cert.get(), key.get());
}

}  // namespace ov::test
