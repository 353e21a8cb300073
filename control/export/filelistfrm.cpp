#include "control/export/filelistfrm.h"

#include "core/robottcpclient.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ov::control {

TExportFileListFrm::TExportFileListFrm(THS_Language language, QWidget* parent)
    : TExportFrm(language != HSL_CN, u"ExportFileListFrm"_s, parent) {
    Access.ReadTimeoutMs = 120000;
    LoadTexts();
}

void TExportFileListFrm::Init(std::int32_t OwnerId, const QString& Ty, std::int64_t FolderId) {
    FOwnerId = OwnerId;
    FFolderId = FolderId;
    bool ok = false;
    FExportTy = Ty.trimmed().toInt(&ok);
    if (!ok) FExportTy = 1;
    LoadTexts();
}

void TExportFileListFrm::Init2(const QString& Param) {
    FFilePrtFaram = Param;
    FExportTy = 1;
    LoadTexts();
}

void TExportFileListFrm::LoadTexts() {
    const auto l = [this](const QString& cn, const QString& en) { return FEnglish ? en : cn; };
    switch (FExportTy) {
        case 2: setWindowTitle(l(u"导出文件夹结构"_s, u"Export folder structure"_s)); break;
        case 3: setWindowTitle(l(u"导出用户信息"_s, u"Export users informations"_s)); break;
        default: setWindowTitle(l(u"导出文件信息"_s, u"Export files informations"_s)); break;
    }
    Label2->setText(l(u"文件名："_s, u"File name:"_s));
    WLS_SelFolder = l(u"选择导出路径"_s, u"Select Path"_s);
}

void TExportFileListFrm::showEvent(QShowEvent* event) {
    const QString prefix = FExportTy == 2   ? u"FloderList"_s
                           : FExportTy == 3 ? u"UserList"_s
                                            : u"FileList"_s;
    EdtFileName->setText(prefix + QDateTime::currentDateTime().toString(u"yyyyMMddhhmmss"_s) +
                         u".xls"_s);
    TExportFrm::showEvent(event);
}

TExportFrm::TRequest TExportFileListFrm::Request() const {
    const int ty = FExportTy;
    const QString filter = FFilePrtFaram;
    const std::int32_t owner = FOwnerId;
    const std::int64_t folder = FFolderId;
    return [=](TRobotTcpClient& client, QString& text) -> std::uint8_t {
        if (ty == 2) return client.GetFolderList(owner, folder, text);
        if (ty == 3) return client.GetAllUsersList(text);
        if (!filter.isEmpty()) return client.GetFilePrtList(filter, text);
        return client.GetFileList(owner, folder, text);
    };
}

QVector<double> TExportFileListFrm::Widths() const {
    return ColumnWidths(FExportTy == 2   ? TExportKind::FolderList
                        : FExportTy == 3 ? TExportKind::UsersList
                                         : TExportKind::FileList);
}

}  // namespace ov::control
