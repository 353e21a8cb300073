#pragma once
// The framed request client of the document server's control channel: one request and one
// reply per connection, each a frame of a length, the 16-byte header, an optional payload and
// an end mark. It offers a few generic request primitives that never raise; the named commands
// of the document-server client derive from it and use the protected steps.

#include "core/headinfo.h"
#include "core/netstream.h"
#include "core/types.h"

#include <QBuffer>
#include <QString>
#include <memory>

namespace ov {

class TPipeTcpClient {
public:
    static constexpr const char* Greeting = "VESKO /TCP/1.0";
    static constexpr qint32 EndMark = 0xFFEE;
    // A reply payload larger than this is refused as a transmission error, never allocated.
    static constexpr qint32 MaxReplyPayload = 64 * 1024 * 1024;

    TPipeTcpClient();
    virtual ~TPipeTcpClient();
    TPipeTcpClient(const TPipeTcpClient&) = delete;
    TPipeTcpClient& operator=(const TPipeTcpClient&) = delete;

    // Where and how to connect; the caller sets these before a request.
    QString Host() const { return m_host; }
    void SetHost(const QString& host) { m_host = host; }
    quint16 Port() const { return m_port; }
    void SetPort(quint16 port) { m_port = port; }
    bool UseTls() const { return m_useTls; }
    void SetUseTls(bool tls) { m_useTls = tls; }
    int ReadTimeout() const { return m_readTimeoutMs; }
    void SetReadTimeout(int ms) { m_readTimeoutMs = ms; }
    int ConnectTimeout() const { return m_connectTimeoutMs; }
    void SetConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    // The overall limit of a request and the minimum rate of a transfer (core/netlimits.h).
    const TransferLimits& Limits() const { return m_limits; }
    void SetLimits(const TransferLimits& limits) { m_limits = limits; }
    // Language of the message shown when a TLS server's certificate changed.
    void SetMessageLanguage(THS_Language language) { m_messageLanguage = language; }

    // The generic primitives; none of them raises.
    QString Tcp_GetText(TTranType code, qint32 freeInt, qint32 freeInt2);
    QString Tcp_GetText(TTranType code, const QString& text);
    QBuffer* Tcp_GetStream(TTranType code, qint32 freeInt, qint32 freeInt2);
    bool Tcp_Post(TTranType code, qint32 freeInt, qint32 freeInt2);
    bool IP_Test();
    std::uint8_t GetServerStatus();
    QString GetLastError() const { return FErrorTxt; }

    // The payload of the next request and of the last reply (owned by the client).
    QBuffer* SendStream() const { return FSendStream.get(); }
    QBuffer* RecStream() const { return FReceiveStream.get(); }

    static constexpr const char* ConnectionFailedText = "Network connection failed";
    static constexpr const char* TransmissionErrorText = "An error occurred during transmission";

protected:
    void InitDefaults();
    void FreeStreams();
    void SetTranType(TTranType code);
    // On an open connection: the greeting line, the request frame, the reply frame. Raises
    // NetError on network failures; an oversized reply length raises NetError (Protocol).
    void Exchange();
    virtual void SendFrame();
    virtual void ReceiveFrame();
    // One request and reply on a fresh connection; never raises. False on failure, with
    // FErrorTxt set.
    bool DoRequest();
    static void TextToStream(const QString& text, QBuffer* stream);
    static QString StreamToText(QBuffer* stream);

    // The connection: Connect opens it with the settings above (raising NetError), Disconnect
    // closes it (never raises). Stream() is the open stream, for channels that speak their own
    // protocol after their greeting line.
    void Connect();
    void Disconnect() noexcept;
    bool Connected() const noexcept;
    NetStream& Stream() { return *m_stream; }

    THeadInfo SendHead;
    THeadInfo ReceiveHead;
    QString FErrorTxt;
    std::unique_ptr<QBuffer> FSendStream;
    std::unique_ptr<QBuffer> FReceiveStream;

private:
    static void Empty(QBuffer* stream);
    void ReadPayload(qint32 length);

    std::unique_ptr<NetStream> m_stream;
    QString m_host;
    quint16 m_port = 0;
    bool m_useTls = false;
    int m_readTimeoutMs = NetStream::DefaultReadTimeoutMs;
    int m_connectTimeoutMs = NetStream::DefaultConnectTimeoutMs;
    THS_Language m_messageLanguage = HSL_NONE;
    TransferLimits m_limits;
};

}  // namespace ov
