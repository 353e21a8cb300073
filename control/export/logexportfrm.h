#pragma once
// `TLogExportFrm`: the operation log, or the upload log ("[IsUploadLog]1"), for a condition the
// page chose, exported as a workbook. English texts only for English; the dialog stays open
// after the server refused.

#include "control/export/exportfrm.h"

namespace ov::control {

class TLogExportFrm : public TExportFrm {
    Q_OBJECT
public:
    explicit TLogExportFrm(THS_Language language, QWidget* parent = nullptr);

    void Init(const QString& Cond);
    bool IsUploadLog = false;

protected:
    TRequest Request() const override;
    QVector<double> Widths() const override;
    bool CloseOnRefusal() const override { return false; }
    QString SelFolderCaption() const override;

private:
    QString FCond;
    QString WLS_UploadLog;
};

}  // namespace ov::control
