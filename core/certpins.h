#pragma once
// Trust on first use for TLS servers whose certificate the system does not trust (self-signed
// servers): the SHA-256 fingerprint of the server's certificate is kept per host and port in
// $XDG_DATA_HOME/Ov/certpins, and a later, different certificate is refused. Used by the TCP
// stream and by the HTTP client alike. A server whose certificate the trust store vouched for is
// noted too, so that an untrusted certificate shown for it later is refused. Safe to call from
// several threads and processes.

#include "core/types.h"

#include <QByteArray>
#include <QString>

namespace ov {

enum class PinCheck {
    SystemTrusted,  // the system trust store vouched for it: accepted
    PinnedNow,      // first use: the fingerprint was stored and the certificate accepted
    PinMatches,     // the stored fingerprint matches: accepted
    Changed,        // the stored fingerprint differs: refuse the connection
    StoreFailed     // first use but the fingerprint could not be stored: refuse the connection
};

// Whether the connection may go on.
inline bool isAccepted(PinCheck check) {
    return check != PinCheck::Changed && check != PinCheck::StoreFailed;
}

// Decides about a server certificate. `derSha256` is the 32-byte SHA-256 of the certificate's
// DER form; `systemTrusted` tells whether the chain and the host name verified against the
// trust store. A trusted certificate is always accepted, and the server is noted as one with a
// trusted certificate: an untrusted certificate for it later counts as Changed (so that nobody
// in the middle gets pinned in place of a server that has a proper certificate).
PinCheck checkServerCertificate(const QString& host, quint16 port, const QByteArray& derSha256,
                                bool systemTrusted);

// SHA-256 of a certificate's DER bytes.
QByteArray certificateSha256(const QByteArray& der);

// The message shown when a server's certificate changed (HSL_CN Chinese, HSL_ENG English,
// anything else both, Chinese first).
QString certificateChangedMessage(THS_Language language, const QString& host, quint16 port);
// The message shown when a new certificate could not be stored.
QString certificateStoreFailedMessage(THS_Language language, const QString& host, quint16 port);

// The file that holds the pins ($XDG_DATA_HOME/Ov/certpins).
QString certificatePinFile();

// A PEM file of certificate authorities to trust instead of the system store (empty: the
// system store). For a private certificate authority, and for tests.
void setTrustedCaFile(const QString& pemFile);
QString trustedCaFile();

}  // namespace ov
