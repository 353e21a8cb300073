#pragma once
// The file channel of the document server: the commands, marks and sizes both sides share, the
// exceptions of local files, the resume offer and check, and how an exception caught by a
// transfer becomes a result code and a text.
//
// One connection carries one file in one direction. Before the data flows the receiver offers
// the length it already holds, cut to a multiple of 16 bytes, with the 8 bytes before that
// offset as a check; the sender resumes there when its own bytes agree, else from 0.

#include "core/errors.h"
#include "core/types.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <exception>

class QIODevice;

namespace ov {

enum TFileChannelCmd : qint32 {
    FC_UploadFile = 1,
    FC_DownloadFile = 2,
    FC_UploadFile2 = 3,
    FC_UploadKmItemFile = 5,
    FC_ApiReceiveFile = 8
};

inline constexpr const char* FileGreeting = "VESKO_FILE /TCP/1.0";
// The end value after complete data; after data stopped early the sender writes 0xFFEE.
inline constexpr qint32 FileOverMark = 0xFFF0;
inline constexpr qint32 FileEndMark = 0xFFEE;
inline constexpr qint64 FileChunkSize = 0x8000;
inline constexpr qint64 ResumeGranularity = 16;
inline constexpr qint64 TailCheckSize = 8;
// End values 0..16 after the data name that many filler bytes at its end.
inline constexpr qint32 MaxFillerBytes = 16;
// The longest text line the file channel reads (error lines, the time line).
inline constexpr int MaxFileChannelLine = 1024 * 1024;

// A local file could not be opened or read.
class LocalFileOpenError : public FileError {
public:
    using FileError::FileError;
};

// A local file could not be written, moved or backed up.
class LocalFileWriteError : public FileError {
public:
    using FileError::FileError;
};

// The 8 bytes before a resume offset, read as a little-endian 64-bit integer.
std::int64_t TailCheckValue(const char bytes[8]);
// The tail check of a device at `offset` (0 when offset < 8); raises LocalFileOpenError when the
// bytes cannot be read.
std::int64_t TailCheckAt(QIODevice& device, qint64 offset);
// The resume offer for what a receiver holds: its size cut to a multiple of 16.
inline qint64 ResumeOffset(qint64 size) {
    return size - size % ResumeGranularity;
}
// Where a sender starts for the receiver's offer: the offset when 8 <= offset <= size and the
// sender's own 8 bytes before it give `check`, else 0.
qint64 ResumeStart(QIODevice& device, qint64 offset, std::int64_t check);

// The name a local file is moved to before it is replaced: name + "_YYMMDD_HHMMSS.bak".
QString BackupFileName(const QString& fileName, const QDateTime& now);

// The result code and the text of an exception caught by a transfer: 2 for connection
// problems, 11 for a local file that cannot be written, 12 for one that cannot be opened, 127
// for anything else (with the exception's own message).
void MapException(const std::exception& error, THS_Language language, std::uint8_t& code,
                  QString& text);
// Whether the exception says that the peer closed the connection.
bool IsClosedByPeer(const std::exception& error);
bool IsReadTimeOut(const std::exception& error);

// The text of a download whose data did not arrive whole (result 2).
QString IncompleteTransferText(THS_Language language);

}  // namespace ov
