#pragma once
// "Generate thumbnails": for the files of a server folder (with its sub-folders when asked) of
// the types typed in, a thumbnail is made and uploaded, one file after the other on a worker;
// each picture is shown as it is made. The window closes when the list is done.

#include "control/thumbnails/thumbnailrun.h"
#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace ov::control {

class TGenerateMicPicFrm : public QWidget {
    Q_OBJECT
public:
    explicit TGenerateMicPicFrm(THS_Language language, QWidget* parent = nullptr);

    void Init(std::int32_t OwnerId, std::int64_t FolderId);

    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();
    TPdfConverter Convert = SessionPdfConverter();
    QString FRoot;     // where files and pictures are made (the user's temporary folder)
    QStringList Log;   // what did not work, one line per file
    int Uploaded = 0;  // thumbnails uploaded in this run

    QLineEdit* edFileType = nullptr;
    QCheckBox* cbIsReplace = nullptr;
    QCheckBox* cbIsIncludeSub = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btStart = nullptr;
    QPushButton* btCancel = nullptr;
    QScrollArea* sbAx = nullptr;
    QLabel* AxPreview = nullptr;

signals:
    void finished();

private:
    void LoadTexts(THS_Language language);
    void CreateWidgets();
    void LayOut();
    void btStartClick();
    void Next(int index);
    void AddLog(const QString& line);

    std::int32_t FOwnerId = 0;
    std::int64_t FFOlderId = 0;
    bool FIsIncludeSub = true;
    bool FIsReplace = false;
    QVector<TThumbItem> FItems;
    QString WLS_FileKind, WLS_Hint;
    TBackgroundCalls m_calls{this};
};

}  // namespace ov::control
