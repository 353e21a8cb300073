#pragma once
// Certificates made in-process for the test server: a self-signed one (what a server without a
// public certificate presents) and a small certificate authority whose certificates a client
// trusts once its PEM file is set as the trusted CA file. Keys are EC P-256 (quick to make).

#include <QByteArray>
#include <QString>
#include <memory>

namespace ov::test {

struct TestCertificate {
    QByteArray certificatePem;
    QByteArray privateKeyPem;
    QByteArray derSha256;  // SHA-256 of the certificate's DER form
};

// A new self-signed certificate for "localhost", 127.0.0.1 and ::1. Every call gives a new key
// and so a different certificate.
TestCertificate makeSelfSignedCertificate(const QString& commonName = QStringLiteral("localhost"));

class TestCertificateAuthority {
public:
    explicit TestCertificateAuthority(const QString& name = QStringLiteral("Ov Test CA"));
    ~TestCertificateAuthority();
    TestCertificateAuthority(const TestCertificateAuthority&) = delete;
    TestCertificateAuthority& operator=(const TestCertificateAuthority&) = delete;

    QByteArray certificatePem() const;
    // Writes the CA certificate to a PEM file (for setTrustedCaFile); false on failure.
    bool writeCertificatePem(const QString& fileName) const;
    // A server certificate signed by this authority for the name; "localhost" certificates
    // also carry 127.0.0.1 and ::1.
    TestCertificate issue(const QString& commonName = QStringLiteral("localhost")) const;

    struct Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace ov::test
