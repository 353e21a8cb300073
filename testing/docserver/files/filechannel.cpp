#include "testing/docserver/filechannel.h"

#include "testing/docserver/codec/codes.h"
#include "testing/docserver/codec/filewire.h"
#include "testing/docserver/codec/stream.h"
#include "testing/docserver/codec/tagtext.h"
#include "testing/docserver/files/filechannel_impl.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace ov::test {

namespace {

constexpr qint64 MadeUpChunk = 1 << 20;

// Contents for a model file that was never uploaded: bytes that depend on key and position.
void WriteMadeUp(const QString& path, std::int64_t key, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QByteArray block(MadeUpChunk, Qt::Uninitialized);
    for (qint64 done = 0; done < size; done += block.size()) {
        const qint64 n = std::min<qint64>(size - done, block.size());
        for (qint64 i = 0; i < n; ++i)
            block[i] = char(((done + i) * 31 + key) & 0xFF);
        file.write(block.constData(), n);
    }
}

}  // namespace

DocFileChannel::DocFileChannel(DocModel& model, const QString& root)
    : d(std::make_unique<Impl>(model)) {
    if (root.isEmpty()) {
        d->temp = std::make_unique<QTemporaryDir>();
        d->root = d->temp->path();
    } else {
        d->root = root;
    }
    if (!d->root.endsWith(u'/')) d->root += u'/';
}

DocFileChannel::~DocFileChannel() = default;

void DocFileChannel::install(DocServer& server) {
    server.setStreamHandler(
        wire::FileGreeting,
        [impl = d.get()](PeerStream& stream, const QByteArray&) { impl->serve(stream); });
}

QString DocFileChannel::root() const {
    return d->root;
}

QString DocFileChannel::Impl::contentPath(std::int64_t key) {
    const QString path = root + u"file-"_s + QString::number(key);
    std::lock_guard lock(model.mutex);
    if (QFileInfo::exists(path)) return path;
    if (const DocFile* file = model.file(key)) WriteMadeUp(path, key, file->size);
    return path;
}

QString DocFileChannel::contentPath(std::int64_t key) {
    return d->contentPath(key);
}

QByteArray DocFileChannel::content(std::int64_t key) {
    QFile file(contentPath(key));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void DocFileChannel::setContent(std::int64_t key, const QByteArray& data) {
    QFile file(d->root + u"file-"_s + QString::number(key));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(data);
    std::lock_guard lock(d->model.mutex);
    if (DocFile* f = d->model.file(key)) f->size = data.size();
}

NextTransfer DocFileChannel::Impl::takeNext() {
    std::lock_guard lock(mutex);
    return std::exchange(next, NextTransfer{});
}

void DocFileChannel::Impl::record(const FileTransferRecord& r) {
    std::lock_guard lock(mutex);
    records.push_back(r);
}

void DocFileChannel::setNext(const NextTransfer& next) {
    std::lock_guard lock(d->mutex);
    d->next = next;
}

std::vector<FileTransferRecord> DocFileChannel::transfers() const {
    std::lock_guard lock(d->mutex);
    return d->records;
}

void DocFileChannel::clearTransfers() {
    std::lock_guard lock(d->mutex);
    d->records.clear();
}

QString FileSession::tag(const QString& name) const {
    return wire::tagValue(rec.params, name);
}

void DocFileChannel::Impl::serve(PeerStream& stream) {
    FileSession x{*this, stream, takeNext(), {}, 0, std::vector<char>(wire::ChunkSize)};
    x.rec.command = wire::readInt32(stream);
    x.rec.params = wire::decodeParam(wire::readLine(stream, wire::ParamLineLimit));
    {
        std::lock_guard lock(model.mutex);
        if (const DocUser* user = model.userByToken(x.tag(u"EncryptCode"_s)))
            x.userId = user->disabled ? 0 : user->id;
    }
    try {
        switch (x.rec.command) {
            case wire::FC_UploadFile:
                ServeUploadNew(x);
                break;
            case wire::FC_DownloadFile:
                ServeDownload(x, true);
                break;
            case wire::FC_UploadFile2:
                ServeUploadVersion(x);
                break;
            case wire::FC_UploadKmItemFile:
                ServeUploadStream(x);
                break;
            case wire::FC_ApiReceiveFile:
                ServeDownload(x, false);
                break;
            default:
                break;
        }
    } catch (...) {
        record(x.rec);
        throw;
    }
    record(x.rec);
}

}  // namespace ov::test
