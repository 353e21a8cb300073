#include "testing/docserver/transport/peerstream.h"
#include "testing/docserver/transport/socket.h"

#include <openssl/err.h>
#include <openssl/pem.h>

namespace ov::test {

namespace {

template <typename T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
using BioPtr = std::unique_ptr<BIO, Freer<BIO, BIO_free_all>>;
using X509Ptr = std::unique_ptr<X509, Freer<X509, X509_free>>;
using KeyPtr = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY, EVP_PKEY_free>>;

BioPtr memoryBio(const QByteArray& pem) {
    return BioPtr(BIO_new_mem_buf(pem.constData(), int(pem.size())));
}

}  // namespace

TlsIdentity::TlsIdentity(const QByteArray& certificatePem, const QByteArray& privateKeyPem)
    : m_context(std::make_unique<Context>()) {
    OPENSSL_init_ssl(0, nullptr);
    m_context->ctx.reset(SSL_CTX_new(TLS_server_method()));
    SSL_CTX* ctx = m_context->ctx.get();
    const X509Ptr cert(PEM_read_bio_X509(memoryBio(certificatePem).get(), nullptr, nullptr, nullptr));
    const KeyPtr key(
        PEM_read_bio_PrivateKey(memoryBio(privateKeyPem).get(), nullptr, nullptr, nullptr));
    const bool ok = ctx && cert && key && SSL_CTX_use_certificate(ctx, cert.get()) == 1 &&
                    SSL_CTX_use_PrivateKey(ctx, key.get()) == 1;
    if (!ok) throw PeerError(PeerError::Kind::Tls, tlsErrorText());
    SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
    SSL_CTX_set_options(ctx, SSL_OP_IGNORE_UNEXPECTED_EOF);
}

TlsIdentity::~TlsIdentity() = default;

QString tlsErrorText() {
    char text[256] = "TLS failure";
    if (const unsigned long code = ERR_get_error()) ERR_error_string_n(code, text, sizeof text);
    ERR_clear_error();
    return QString::fromUtf8(text);
}

}  // namespace ov::test
