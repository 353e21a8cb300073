// The hand-over of work to OvClient: a tagged command on the clipboard and a message to its
// main window. Nothing is handed over when no window is found.

#include <QClipboard>
#include <QGuiApplication>
#include <QLoggingCategory>

#include "control/members/clientwindow.h"
#include "control/members/members.h"
#include "control/object/quexformx.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

Q_LOGGING_CATEGORY(lcHandOver, "ov.control.handover", QtWarningMsg)

constexpr quint32 UM_ROBOT_BATCH_RUN = 0x4DA;
constexpr quint32 UM_FILE_EDIT = 0x4DC;
constexpr quint32 UM_CREATE_FILE = 0x4DE;

enum class Delivery { Post, Send };

void HandOver(TQuexFormX& self, const QString& command, quint32 message, Delivery delivery) {
    StartClient(self);
    const platform::WindowHandle window = RememberedClientWindow();
    if (!window) {
        qCInfo(lcHandOver, "0x%x: no window of OvClient, nothing handed over", message);
        return;
    }
    QGuiApplication::clipboard()->setText(command);
    const bool delivered = delivery == Delivery::Send
                               ? platform::sendMessage(window, message, 0, 0).has_value()
                               : platform::postMessage(window, message, 0, 0);
    qCInfo(lcHandOver, "0x%x: %s", message, delivered ? "delivered" : "not delivered");
}

QString Tagged(const QString& tag, const QString& value) {
    return u"["_s + tag + u"]"_s + value + u"[/"_s + tag + u"]"_s;
}

}  // namespace

namespace members {

void FilesBatchTransmit(TQuexFormX& self, std::int8_t TranStyle, std::int8_t FolderOrFile,
                        std::int32_t OwnerId, const QString& SourceId, const QString& SourceName) {
    const QString command = Tagged(u"TranStyle"_s, QString::number(TranStyle)) +
                            Tagged(u"FF"_s, QString::number(FolderOrFile)) +
                            Tagged(u"OwnerId"_s, QString::number(OwnerId)) +
                            Tagged(u"SourceId"_s, SourceId) + Tagged(u"SourceName"_s, SourceName);
    HandOver(self, command, UM_ROBOT_BATCH_RUN, Delivery::Post);
}

void EditOnline(TQuexFormX& self, const QString& FileKey, const QString& FileName) {
    HandOver(self, Tagged(u"Key"_s, FileKey) + Tagged(u"FileName"_s, FileName), UM_FILE_EDIT,
             Delivery::Send);
}

void EditOnlineVer(TQuexFormX& self, const QString& FileKey, const QString& VerNum) {
    HandOver(self, Tagged(u"Key"_s, FileKey) + Tagged(u"Versionid"_s, VerNum), UM_FILE_EDIT,
             Delivery::Post);
}

void CreateFile(TQuexFormX& self, const QString& OwnerId, const QString& FolderId) {
    HandOver(self, Tagged(u"OwnerId"_s, OwnerId) + Tagged(u"FolderId"_s, FolderId), UM_CREATE_FILE,
             Delivery::Post);
}

void ShowMsgClient(TQuexFormX& self) {
    StartClient(self);
}

void StarupClientExt(TQuexFormX& self) {
    StartClient(self);
}

}  // namespace members

}  // namespace ov::control
