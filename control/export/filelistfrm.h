#pragma once
// `TExportFileListFrm`: the files of a folder (or those matching a property filter), the folder
// structure, or all users, exported as a workbook. Texts in English for every language but
// Chinese.

#include "control/export/exportfrm.h"

namespace ov::control {

class TExportFileListFrm : public TExportFrm {
    Q_OBJECT
public:
    explicit TExportFileListFrm(THS_Language language, QWidget* parent = nullptr);

    // `Ty`: "1" files, "2" folder structure, "3" users (1 when not a number).
    void Init(std::int32_t OwnerId, const QString& Ty, std::int64_t FolderId);
    // The files that match a property filter.
    void Init2(const QString& Param);
    int ExportTy() const { return FExportTy; }

protected:
    void showEvent(QShowEvent* event) override;
    TRequest Request() const override;
    QVector<double> Widths() const override;
    bool CloseOnRefusal() const override { return true; }
    QString SelFolderCaption() const override { return WLS_SelFolder; }

private:
    void LoadTexts();

    int FExportTy = 1;
    std::int32_t FOwnerId = 0;
    std::int64_t FFolderId = 0;
    QString FFilePrtFaram;
    QString WLS_SelFolder;
};

}  // namespace ov::control
