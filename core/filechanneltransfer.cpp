#include "core/filechanneltransfer.h"

#include "core/param.h"

#include <QFile>
#include <thread>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// After the peer closed the connection the client waits this long before it reports.
constexpr auto ClosedPause = std::chrono::milliseconds(100);

}  // namespace

FileTransfer::FileTransfer(TRobotTcpClient& client)
    : c(client), m_chunk(std::make_unique<char[]>(FileChunkSize)) {}

qint32 FileTransfer::Begin(TFileChannelCmd command, const QString& params) {
    c.EnsureConnected();
    QByteArray opening = QByteArray(FileGreeting) + "\r\n";
    char value[4];
    putInt32BE(value, command);
    opening.append(value, 4);
    opening += EncodeParam(params).toLatin1() + "\r\n";
    c.Stream().write(opening);
    return c.Stream().readInt32();
}

QString FileTransfer::ReadLine() {
    return QString::fromLatin1(c.Stream().readLine(MaxFileChannelLine));
}

qint64 FileTransfer::ReadInt64() {
    return c.Stream().readInt64();
}

qint32 FileTransfer::ReadInt32() {
    return c.Stream().readInt32();
}

bool FileTransfer::Cancelled() const {
    return c.PIsBreak && c.PIsBreak->load(std::memory_order_relaxed);
}

void FileTransfer::Progress(qint64 all, qint64 done, bool state) {
    if (state && c.OnTransmitState) c.OnTransmitState(&c, all, done);
    if (c.OnWorkEx) c.OnWorkEx(&c);
}

bool FileTransfer::SendFileStream(QIODevice& stream) {
    const qint64 size = stream.size();
    const qint64 offer = ReadInt64();
    const std::int64_t check = ReadInt64();
    return SendChunks(stream, ResumeStart(stream, offer, check), size, true);
}

bool FileTransfer::SendWholeStream(QIODevice& stream) {
    ReadInt64();
    ReadInt64();
    return SendChunks(stream, 0, stream.size(), false);
}

// Writes start and count, the data from start in chunks, and the end mark. A local file that
// gives out before its size was sent ends with the early end mark and raises, so the caller
// does not report a short upload as stored.
bool FileTransfer::SendChunks(QIODevice& stream, qint64 start, qint64 size, bool state) {
    NetStream& net = c.Stream();
    // The data may take as long as it needs, as long as it keeps moving.
    net.endRequest();
    qint64 rest = size - start;
    net.writeInt64(start);
    net.writeInt64(rest);
    bool shortRead = !stream.seek(start);
    bool cancelled = false;
    while (rest > 0 && !shortRead) {
        const qint64 n = stream.read(m_chunk.get(), std::min(rest, FileChunkSize));
        if (n <= 0) {
            shortRead = true;
            break;
        }
        net.write(m_chunk.get(), n);
        rest -= n;
        cancelled = Cancelled();
        if (cancelled) break;
        Progress(size, size - rest, state);
    }
    net.writeInt32(rest == 0 ? FileOverMark : FileEndMark);
    if (c.OnTransmitOver) c.OnTransmitOver(&c, size, size - rest);
    if (shortRead) throw LocalFileOpenError(u"The local file could not be read to its end."_s);
    return cancelled && rest > 0;
}

bool FileTransfer::SendLocalFile(const QString& fileName, bool whole) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw LocalFileOpenError(file.errorString());
    return whole ? SendWholeStream(file) : SendFileStream(file);
}

void FileTransfer::Report(const std::exception& error, std::uint8_t& code) {
    c.Disconnect();
    if (c.OnSocketError) c.OnSocketError(const_cast<std::exception*>(&error));
    if (IsClosedByPeer(error)) std::this_thread::sleep_for(ClosedPause);
    QString text;
    MapException(error, c.Language(), code, text);
    c.FErrorTxt = text;
}

}  // namespace ov
