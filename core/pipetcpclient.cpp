#include "core/pipetcpclient.h"

#include <limits>

namespace ov {

namespace {

constexpr qint32 HeadAndEndMarkSize = 20;
// The payload of a reply is read in steps of this size, so that memory grows with what the
// server really sends and not with what its length field claims.
constexpr qint32 ReadStep = 1024 * 1024;

QString failureText(const NetError& error) {
    switch (error.kind()) {
        case NetError::Kind::Protocol:
            return QString::fromLatin1(TPipeTcpClient::TransmissionErrorText);
        case NetError::Kind::CertificateChanged:
        case NetError::Kind::CertificateNotPinned:
            // The user must learn why the server is refused, not only that it failed.
            return error.message();
        default:
            return QString::fromLatin1(TPipeTcpClient::ConnectionFailedText);
    }
}

}  // namespace

TPipeTcpClient::TPipeTcpClient() : m_stream(std::make_unique<NetStream>()) {
    InitDefaults();
    m_readTimeoutMs = 30000;
}

TPipeTcpClient::~TPipeTcpClient() {
    Disconnect();
    FreeStreams();
}

void TPipeTcpClient::InitDefaults() {
    ReceiveHead.TranType = TTranType(0);
    SendHead.Version = 2;
    m_host = QStringLiteral("127.0.0.1");
    m_port = 8090;
    FSendStream = std::make_unique<QBuffer>();
    FSendStream->open(QIODevice::ReadWrite);
    FReceiveStream = std::make_unique<QBuffer>();
    FReceiveStream->open(QIODevice::ReadWrite);
}

void TPipeTcpClient::FreeStreams() {
    FSendStream.reset();
    FReceiveStream.reset();
}

void TPipeTcpClient::SetTranType(TTranType code) {
    SendHead.Version = 2;
    SendHead.TranType = code;
}

void TPipeTcpClient::Connect() {
    m_stream->setConnectTimeout(m_connectTimeoutMs);
    m_stream->setReadTimeout(m_readTimeoutMs);
    m_stream->setLanguage(m_messageLanguage);
    m_stream->setLimits(m_limits);
    try {
        m_stream->connectTo(m_host, m_port, m_useTls);
    } catch (...) {
        // The request was not sent and never will be: it must not go out with a later one.
        Empty(FSendStream.get());
        throw;
    }
}

void TPipeTcpClient::Disconnect() noexcept {
    m_stream->close();
}

bool TPipeTcpClient::Connected() const noexcept {
    return m_stream->isOpen();
}

void TPipeTcpClient::Exchange() {
    Stream().write(QByteArray(Greeting) + "\r\n");
    SendFrame();
    ReceiveFrame();
}

void TPipeTcpClient::SendFrame() {
    const QByteArray payload = FSendStream->data();
    // The payload belongs to this request only, whether or not the write succeeds.
    Empty(FSendStream.get());
    const qint64 n = payload.size();
    if (n > std::numeric_limits<qint32>::max() - HeadAndEndMarkSize)
        throw NetError(NetError::Kind::Protocol, QString::fromLatin1(TransmissionErrorText));
    QByteArray frame(n > 0 ? 24 : 20, Qt::Uninitialized);
    putInt32BE(frame.data(), qint32(n) + HeadAndEndMarkSize);
    headToBytes(SendHead, frame.data() + 4);
    if (n > 0) putInt32BE(frame.data() + 20, qint32(n));
    frame += payload;
    frame.resize(frame.size() + 4);
    putInt32BE(frame.data() + frame.size() - 4, EndMark);
    Stream().write(frame);
}

void TPipeTcpClient::ReceiveFrame() {
    ReceiveHead.TranType = TTranType(0);
    Empty(FReceiveStream.get());
    const qint32 length = Stream().readInt32();
    char head[16];
    Stream().readExact(head, sizeof head);
    ReceiveHead = headFromBytes(head);
    if (length > HeadAndEndMarkSize) ReadPayload(Stream().readInt32());
    if (Stream().readInt32() != EndMark) FErrorTxt = QString::fromLatin1(TransmissionErrorText);
    FReceiveStream->seek(0);
}

void TPipeTcpClient::ReadPayload(qint32 size) {
    if (size < 0 || size > MaxReplyPayload)
        throw NetError(NetError::Kind::Protocol, QString::fromLatin1(TransmissionErrorText));
    QByteArray payload;
    while (payload.size() < size) {
        const qsizetype done = payload.size();
        const qsizetype step = std::min<qsizetype>(size - done, ReadStep);
        payload.resize(done + step);
        Stream().readExact(payload.data() + done, step);
    }
    FReceiveStream->close();
    FReceiveStream->setData(payload);
    FReceiveStream->open(QIODevice::ReadWrite);
}

bool TPipeTcpClient::DoRequest() {
    bool result = false;
    try {
        Connect();
        Exchange();
        result = true;
    } catch (const NetError& e) {
        FErrorTxt = failureText(e);
    } catch (...) {
        FErrorTxt = QString::fromLatin1(ConnectionFailedText);
    }
    if (!result) {
        Empty(FSendStream.get());
        // A header read before the connection broke belongs to no complete reply: a login
        // must not pass for accepted on the state of a reply that never arrived.
        ReceiveHead = THeadInfo();
    }
    Disconnect();
    return result;
}

void TPipeTcpClient::Empty(QBuffer* stream) {
    stream->close();
    stream->setData(QByteArray());
    stream->open(QIODevice::ReadWrite);
}

void TPipeTcpClient::TextToStream(const QString& text, QBuffer* stream) {
    Empty(stream);
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    stream->write(bytes);
}

QString TPipeTcpClient::StreamToText(QBuffer* stream) {
    if (stream->size() == 0) return QString();
    const QByteArray bytes = stream->read((stream->size() / 2) * 2);
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(bytes[2 * i]) | (quint8(bytes[2 * i + 1]) << 8)));
    return text;
}

QString TPipeTcpClient::Tcp_GetText(TTranType code, qint32 freeInt, qint32 freeInt2) {
    SendHead.FreeInt = freeInt;
    SendHead.FreeInt2 = freeInt2;
    SetTranType(code);
    return DoRequest() ? StreamToText(RecStream()) : QString();
}

QString TPipeTcpClient::Tcp_GetText(TTranType code, const QString& text) {
    try {
        SetTranType(code);
        TextToStream(text, SendStream());
        return DoRequest() ? StreamToText(RecStream()) : QString();
    } catch (...) {
        return QString();
    }
}

QBuffer* TPipeTcpClient::Tcp_GetStream(TTranType code, qint32 freeInt, qint32 freeInt2) {
    return Tcp_Post(code, freeInt, freeInt2) ? RecStream() : nullptr;
}

bool TPipeTcpClient::Tcp_Post(TTranType code, qint32 freeInt, qint32 freeInt2) {
    SendHead.FreeInt = freeInt;
    SendHead.FreeInt2 = freeInt2;
    SetTranType(code);
    return DoRequest();
}

bool TPipeTcpClient::IP_Test() {
    return DoRequest();
}

std::uint8_t TPipeTcpClient::GetServerStatus() {
    SetTranType(TT_GetServerStatus);
    Empty(SendStream());
    return DoRequest() ? std::uint8_t(ReceiveHead.TranType) : 20;
}

}  // namespace ov
