#pragma once
// Inside the transport: the OpenSSL context of an identity and the state of one connection.

#include "testing/docserver/transport/peerstream.h"

#include <openssl/ssl.h>

#include <memory>
#include <signal.h>

namespace ov::test {

struct SslCtxFree {
    void operator()(SSL_CTX* ctx) const { SSL_CTX_free(ctx); }
};

struct TlsIdentity::Context {
    std::unique_ptr<SSL_CTX, SslCtxFree> ctx;
};

struct PeerStream::Socket {
    static constexpr int BufferSize = 16384;
    int fd = -1;
    SSL* ssl = nullptr;
    char buffer[BufferSize];
    int pos = 0;
    int end = 0;
};

// The reason of the last OpenSSL failure, and the queue cleared.
QString tlsErrorText();

// OpenSSL writes to the socket with write(2): a peer that has gone raises SIGPIPE. While one
// lives, the signal is held back on this thread, and one raised meanwhile is dropped.
class HeldSigPipe {
public:
    HeldSigPipe();
    ~HeldSigPipe();
    HeldSigPipe(const HeldSigPipe&) = delete;
    HeldSigPipe& operator=(const HeldSigPipe&) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_before;
    bool m_pendingBefore = false;
};

}  // namespace ov::test
