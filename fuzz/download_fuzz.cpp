// The file channel's download replies (status, time line, start and count, data, end value),
// received into a fresh file or over a partial one left by an earlier attempt. The first byte
// chooses the case and the size of the partial file.

#include "fuzzsupport.h"

#include "core/filechanneltransfer.h"
#include "core/robottcpclient.h"

#include <QDir>
#include <QFile>

using namespace ov;

namespace {

class Downloader : public TRobotTcpClient {
public:
    void Download(const QByteArray& reply, const QString& target, bool isReplace) {
        Stream().adoptAccepted(fuzz::SocketWithPeerBytes(reply));
        try {
            FileTransfer transfer(*this);
            TDateTime serverTime = 0;
            transfer.Download(QStringLiteral("[FileKey]1[/FileKey]"), target, isReplace,
                              serverTime);
        } catch (const std::exception&) {
            // network, file and conversion failures are mapped by the callers
        }
        Disconnect();
        fuzz::CloseFarEnd();
    }
};

void WritePartial(const QString& name, int size) {
    QFile file(name);
    if (file.open(QIODevice::WriteOnly)) file.write(QByteArray(size, 'p'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static Downloader client;
    const QString folder = fuzz::ScratchFolder() + QStringLiteral("download/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    // Low bits: a partial file of 0..63 bytes; bit 6: no extension (".tmp" name); bit 7: replace.
    const QString target = folder + ((data[0] & 0x40) ? QStringLiteral("file")
                                                      : QStringLiteral("file.bin"));
    const int partial = data[0] & 0x3F;
    if (partial > 0)
        WritePartial((data[0] & 0x40) ? target + QStringLiteral(".tmp") : target, partial);
    client.Download(fuzz::Bytes(data + 1, size - 1), target, (data[0] & 0x80) != 0);
    return 0;
}
