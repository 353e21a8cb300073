#include "core/filechannel.h"

#include "core/netstream.h"
#include "core/resultcode.h"

#include <QDateTime>
#include <QIODevice>
#include <typeinfo>

using namespace Qt::StringLiterals;

namespace ov {

std::int64_t TailCheckValue(const char bytes[8]) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | std::uint8_t(bytes[i]);
    return std::int64_t(value);
}

std::int64_t TailCheckAt(QIODevice& device, qint64 offset) {
    if (offset < TailCheckSize) return 0;
    char bytes[TailCheckSize];
    if (!device.seek(offset - TailCheckSize) || device.read(bytes, TailCheckSize) != TailCheckSize)
        throw LocalFileOpenError(u"Cannot read the local file."_s);
    return TailCheckValue(bytes);
}

qint64 ResumeStart(QIODevice& device, qint64 offset, std::int64_t check) {
    if (offset < TailCheckSize || offset > device.size()) return 0;
    return TailCheckAt(device, offset) == check ? offset : 0;
}

QString BackupFileName(const QString& fileName, const QDateTime& now) {
    return fileName + u'_' + now.toString(u"yyMMdd_HHmmss"_s) + u".bak"_s;
}

namespace {

QString Pick(THS_Language language, const QString& chinese, const QString& english) {
    if (language == HSL_CN) return chinese;
    if (language == HSL_ENG) return english;
    return QString();
}

QString MessageOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error)) return own->message();
    return QString::fromLocal8Bit(error.what());
}

void MapNetError(const NetError& error, THS_Language language, std::uint8_t& code, QString& text) {
    using Kind = NetError::Kind;
    code = RC_TimeOut;
    switch (error.kind()) {
        case Kind::Closed:
            text = Pick(language, u"网络原因导致服务器链接中断! "_s,
                        u"Connection closed gracefully! "_s);
            return;
        case Kind::TimeOut:
            text = Pick(language, u"传输文件中超时！"_s, u" File transfer timeout! "_s);
            return;
        case Kind::Refused:
        case Kind::HostNotFound:
        case Kind::Other:
            text = Pick(language, u"传输文件中连接服务器发生错误！"_s,
                        u" Server connection error while transferring file!"_s);
            return;
        case Kind::Protocol:
            // The stream's own general failure: the peer broke the protocol.
            text = error.message();
            return;
        case Kind::Tls:
        case Kind::CertificateChanged:
        case Kind::CertificateNotPinned:
            code = RC_Exception;
            text = error.message();
            return;
    }
}

}  // namespace

void MapException(const std::exception& error, THS_Language language, std::uint8_t& code,
                  QString& text) {
    // Told apart by their exact type: a subclass is "anything else".
    if (typeid(error) == typeid(NetError))
        return MapNetError(static_cast<const NetError&>(error), language, code, text);
    if (typeid(error) == typeid(LocalFileOpenError)) {
        code = RC_OpenFileErr;
        text = Pick(language, u"打开本地文件时发生错误！"_s,
                    u" Error occurred while opening local files! "_s);
        return;
    }
    if (typeid(error) == typeid(LocalFileWriteError)) {
        code = RC_CreateFileErr;
        text = Pick(language, u"写本地文件时发生错误！"_s,
                    u" Error occurred while writting local files! "_s);
        return;
    }
    code = RC_Exception;
    text = MessageOf(error);
}

bool IsClosedByPeer(const std::exception& error) {
    const auto* net = dynamic_cast<const NetError*>(&error);
    return net && net->kind() == NetError::Kind::Closed;
}

bool IsReadTimeOut(const std::exception& error) {
    const auto* net = dynamic_cast<const NetError*>(&error);
    return net && net->kind() == NetError::Kind::TimeOut;
}

QString IncompleteTransferText(THS_Language language) {
    if (language == HSL_CN) return u"文件传输未完成，已收到的部分保留以便续传！"_s;
    return u"The file transfer did not complete; the part received is kept for resuming."_s;
}

}  // namespace ov
