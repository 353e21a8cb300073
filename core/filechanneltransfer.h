#pragma once
// The steps of one file-channel exchange of the server client: the opening (greeting line,
// command, parameter line, status), the resumable and whole sends, and the resumable receive
// with its backups and ".tmp" name. One object serves one method call of the client and owns
// the one chunk buffer through which all data of that call moves.

#include "core/filechannel.h"
#include "core/robottcpclient.h"

#include <QStringList>
#include <memory>

class QFile;

namespace ov {

class FileTransfer {
public:
    explicit FileTransfer(TRobotTcpClient& client);

    // Connects when needed and sends the opening; returns the server's Int32 status.
    qint32 Begin(TFileChannelCmd command, const QString& params);
    // One text line of the server (ASCII), bounded in length.
    QString ReadLine();
    qint64 ReadInt64();
    qint32 ReadInt32();

    // The resumable send: reads the server's offer, answers start and count, sends the rest.
    // True when the cancel flag stopped it: the server still waits for data then, so the
    // caller closes the connection instead of waiting for a reply.
    bool SendFileStream(QIODevice& stream);
    // The whole stream from 0 after ignoring the server's offer.
    bool SendWholeStream(QIODevice& stream);
    bool SendLocalFile(const QString& fileName, bool whole);

    enum class Outcome { Complete, Incomplete, Cancelled };
    // The resumable receive into `fileName` (or fileName + ".tmp" when it has no extension).
    Outcome ReceiveFile(const QString& fileName, bool isReplace, TDateTime serverTime);

    // One download on a fresh connection: the request, the server time line and the data;
    // the status byte, or 2 when the data did not arrive whole. Closes the connection.
    std::uint8_t Download(const QString& params, const QString& fileName, bool isReplace,
                          TDateTime& serverTime);

    // Runs a client method's body with the exception handling of uploads and downloads: the
    // socket-error event, the pause after a closed connection, the mapped code and text. The
    // connection is closed in every case. Returns false when an exception was mapped.
    template <typename Body>
    bool Guard(Body&& body, std::uint8_t& code);
    // The mapping of an exception already caught (the event and the pause included).
    void Report(const std::exception& error, std::uint8_t& code);

private:
    bool Cancelled() const;
    void Progress(qint64 all, qint64 done, bool state);
    bool SendChunks(QIODevice& stream, qint64 start, qint64 size, bool state);
    QString WorkName(const QString& fileName) const;
    void OfferResume(const QString& name, bool isReplace, qint64& offer);
    qint64 ReadStart(qint64 offer);
    bool ReceiveData(QFile& file, qint64 total, qint64 count, qint64& position);
    void OpenTarget(QFile& file, qint64 start);
    bool ReadEnd(qint64 received, qint64& filler);
    void Backup(const QString& name);
    void DropBackups();
    void FinishName(const QString& workName, const QString& fileName, bool isReplace);

    TRobotTcpClient& c;
    std::unique_ptr<char[]> m_chunk;
    // Backups made by this call; deleted once a transfer completes.
    QStringList m_backups;
};

template <typename Body>
bool FileTransfer::Guard(Body&& body, std::uint8_t& code) {
    bool ok = true;
    try {
        body();
    } catch (const std::exception& error) {
        Report(error, code);
        ok = false;
    } catch (...) {
        Report(Error(QStringLiteral("Unknown exception")), code);
        ok = false;
    }
    c.Disconnect();
    return ok;
}

}  // namespace ov
