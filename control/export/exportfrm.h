#pragma once
// The dialog both exports share: a folder, a file name that must end in ".xls" or ".xlsx", and
// a wait panel while the server's table is fetched and written (both on a worker). The list and
// the log dialogs say what to ask the server and how wide the columns are.

#include "control/export/workbook.h"
#include "core/types.h"
#include "documents/versions/backgroundcalls.h"
#include "documents/versions/versionui.h"

#include <QDialog>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ov {
class TRobotTcpClient;
}

namespace ov::control {

class TExportFrm : public QDialog {
    Q_OBJECT
public:
    TVersionUi Ui = DefaultVersionUi();
    TServerAccess Access = TServerAccess::FromSettings();
    TOfficeProgram Office = SystemOfficeProgram();

    QLabel* Label1 = nullptr;
    QLineEdit* EdtPath = nullptr;
    QPushButton* BtSelectPath = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* EdtFileName = nullptr;
    QPushButton* BtExport = nullptr;
    QPushButton* BtCancel = nullptr;
    QWidget* plWait = nullptr;
    QLabel* Label3 = nullptr;

signals:
    // An export ended (written or refused); the dialog may stay open afterwards.
    void exportEnded();

protected:
    // `english`: the dialog's texts in English.
    TExportFrm(bool english, const QString& objectName, QWidget* parent);

    // The request for the server's table, run on a worker: the reply state (RS_Ok2 when it
    // came) and the text. It holds copies of what it needs.
    using TRequest = std::function<std::uint8_t(TRobotTcpClient& client, QString& text)>;
    virtual TRequest Request() const = 0;
    virtual QVector<double> Widths() const = 0;
    // Whether the dialog closes after the server refused.
    virtual bool CloseOnRefusal() const = 0;
    virtual QString SelFolderCaption() const = 0;

    bool FEnglish = false;
    QString WLS_Hint, WLS_NoExcel, WLS_MustExcel, WLS_FileExist, WLS_Done;

private:
    struct TOutcome {
        std::uint8_t State = 0;
        QString Reply;
        bool Written = false;
        TWorkbookResult Book;
    };
    void CreateWidgets();
    void LayOut();
    void BtSelectPathClick();
    void BtExportClick();
    void Ended(const TOutcome& outcome, const QString& error);
    QString L(const QString& cn, const QString& en) const { return FEnglish ? en : cn; }

    TBackgroundCalls m_calls{this};
};

}  // namespace ov::control
