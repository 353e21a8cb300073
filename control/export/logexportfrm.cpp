#include "control/export/logexportfrm.h"

#include "core/robottcpclient.h"
#include "core/tagtext.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace ov::control {

TLogExportFrm::TLogExportFrm(THS_Language language, QWidget* parent)
    : TExportFrm(language == HSL_ENG, u"LogExportFrm"_s, parent) {
    Access.ReadTimeoutMs = 20000;
    setWindowTitle(FEnglish ? u"Operation log export"_s : u"操作日志导出"_s);
    WLS_UploadLog = FEnglish ? u"Upload log export"_s : u"上传记录导出"_s;
    Label2->setText(FEnglish ? u"File name:"_s : u"导出文件名："_s);
    EdtFileName->setText(u"Log"_s + QDateTime::currentDateTime().toString(u"yyyyMMddhhmmss"_s) +
                         u".xls"_s);
}

void TLogExportFrm::Init(const QString& Cond) {
    FCond = Cond;
    if (ReadTagValue(Cond, u"IsUploadLog"_s) == u"1"_s) {
        IsUploadLog = true;
        setWindowTitle(WLS_UploadLog);
    }
}

QString TLogExportFrm::SelFolderCaption() const {
    return FEnglish ? u"Select the directory"_s : u"选择导出目录"_s;
}

TExportFrm::TRequest TLogExportFrm::Request() const {
    return [cond = FCond](TRobotTcpClient& client, QString& text) {
        return client.GetLogs(cond, text);
    };
}

QVector<double> TLogExportFrm::Widths() const {
    return ColumnWidths(IsUploadLog ? TExportKind::UploadLog : TExportKind::OtherLog);
}

}  // namespace ov::control
