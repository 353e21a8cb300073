#include "testing/ovcli/session.h"

#include "core/split.h"
#include "core/tagtext.h"
#include "platform/atomicfile.h"
#include "platform/folders.h"
#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ov::cli {

namespace {

// A session file is a few dozen bytes; anything much larger is not ours.
constexpr qint64 MaxSessionSize = 64 * 1024;

}  // namespace

QString DefaultSessionFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/ovcli/session"_s;
}

Session LoadSession(const QString& fileName) {
    const platform::FileRead read = platform::readRegularFile(fileName, MaxSessionSize);
    if (read.status != platform::FileReadStatus::Ok || read.size > MaxSessionSize) return {};
    const QString text = QString::fromUtf8(read.bytes);
    return {ReadTagValue(text, u"Token"_s), TextToIntDef0(ReadTagValue(text, u"UserId"_s))};
}

bool SaveSession(const QString& fileName, const Session& session, QString& error) {
    // A folder only the user can enter: the new file is never readable by others, not even
    // before its own mode is narrowed below.
    platform::makeFolder(QFileInfo(fileName).absolutePath(), true);
    const QString text = u"[Token]"_s + session.token + u"[/Token][UserId]"_s +
                         QString::number(session.userId) + u"[/UserId]"_s;
    const QByteArray bytes = text.toUtf8();
    // What could not be read back is not written.
    if (bytes.size() > MaxSessionSize) {
        error = u"the server's token is too long to keep (%1 characters)"_s.arg(
            session.token.size());
        return false;
    }
    // A link in its place is replaced, never written through.
    if (!platform::writeFileAtomically(fileName, bytes, &error)) return false;
    // The token stands for the user's login: nobody else may read it (in our own folder, the
    // name is the file just written).
    QFile::setPermissions(fileName, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

}  // namespace ov::cli
