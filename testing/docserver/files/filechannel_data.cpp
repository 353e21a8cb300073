// The data of the test server's file channel, in chunks, with the scripted faults.

#include "testing/docserver/codec/codes.h"
#include "testing/docserver/codec/stream.h"
#include "testing/docserver/connection.h"
#include "testing/docserver/files/filechannel_impl.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

// How many of the next `n` bytes may pass before the fault strikes (n when it does not).
qint64 Allowed(const FileSession& x, qint64 n) {
    const FileFault& f = x.next.fault;
    if (f.kind != FileFault::Kind::Cut && f.kind != FileFault::Kind::Stall) return n;
    return std::max<qint64>(0, std::min(n, f.afterBytes - x.rec.moved));
}

// True when the fault strikes now: a cut returns at once, a stall after the client left.
bool Strikes(FileSession& x, qint64 allowed, qint64 wanted) {
    if (allowed == wanted) return false;
    if (x.next.fault.kind == FileFault::Kind::Stall) stallConnection(x.s);
    return true;
}

}  // namespace

bool SendFileData(FileSession& x, QFile& file, qint64 start, qint64 count, qint64 filler) {
    file.seek(start);
    qint64 rest = count + filler;
    while (rest > 0) {
        const qint64 wanted = std::min<qint64>(rest, wire::ChunkSize);
        const qint64 n = Allowed(x, wanted);
        const qint64 got = std::max<qint64>(0, file.read(x.buffer.data(), n));
        std::memset(x.buffer.data() + got, 0, size_t(n - got));  // filler, or past the end
        x.s.write(x.buffer.data(), n);
        x.rec.moved += n;
        rest -= n;
        if (Strikes(x, n, wanted)) return false;
    }
    return true;
}

bool ReceiveFileData(FileSession& x, QFile& file, qint64 count) {
    while (count > 0) {
        const qint64 wanted = std::min<qint64>(count, wire::ChunkSize);
        const qint64 n = Allowed(x, wanted);
        x.s.readExact(x.buffer.data(), n);
        file.write(x.buffer.data(), n);
        x.rec.moved += n;
        count -= n;
        if (Strikes(x, n, wanted)) return false;
    }
    return true;
}

bool ReceiveUpload(FileSession& x, const QString& partName, qint64 offer) {
    x.rec.start = wire::readInt64(x.s);
    x.rec.count = wire::readInt64(x.s);
    if ((x.rec.start != 0 && x.rec.start != offer) || x.rec.count < 0)
        throw PeerError(PeerError::Kind::Protocol, u"bad start or count"_s);
    QFile part(partName);
    const auto mode =
        x.rec.start == 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite;
    if (!part.open(mode | QIODevice::Unbuffered) || !part.resize(x.rec.start) ||
        !part.seek(x.rec.start))
        throw PeerError(PeerError::Kind::Other, u"cannot write the part"_s);
    if (!ReceiveFileData(x, part, x.rec.count)) return false;
    x.rec.end = wire::readInt32(x.s);
    return x.rec.end == wire::FileOverMark;
}

}  // namespace ov::test
