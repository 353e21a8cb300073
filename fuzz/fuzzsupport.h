#pragma once
// What the targets share: the input as text, a private scratch folder and a socket pair whose
// far end holds the input as a peer's bytes.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace ov::fuzz {

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The bytes read as UTF-16LE, so every code unit (lone surrogates included) can occur.
inline QString Utf16(const QByteArray& bytes) {
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// A folder for the files one run writes; the same for the whole process. HOME and the XDG
// folders point into it, so nothing outside is touched.
const QString& ScratchFolder();

// A connected socket pair: the returned descriptor is ours, the far end has received `peer`
// and is shut for writing (the input ends like a connection the peer closed). The far end is
// closed by CloseFarEnd or at the next call.
int SocketWithPeerBytes(const QByteArray& peer);
void CloseFarEnd();

}  // namespace ov::fuzz
