#pragma once
// The file property dialog: the server's property page in a web view. The current properties
// are handed to the page as hidden inputs (created through the page's document, never pasted
// as markup) for its "fillProperty()"; "confirm" runs its "checkFilePrt()" and takes the text
// the page puts in "filePrt" when it sets "isOK" to "1".

#include <QDialog>

#include "core/types.h"

class QPushButton;
class QWebEngineView;

namespace ov {

// The script that creates the hidden inputs of the properties and runs "fillProperty()". Values
// of radio buttons and check boxes have their "," turned into "*#*#".
QString FillPropertyScript(const QString& prtParams);

class TTSetFilePropertyFrm : public QDialog {
    Q_OBJECT
public:
    explicit TTSetFilePropertyFrm(THS_Language language, QWidget* parent = nullptr);

    QString URL;
    QString PrtParams;
    bool LoadParam = false;

    QWebEngineView* WebBrowser1;
    QPushButton *btnOK, *BtnCancle;

signals:
    // The page has loaded (and been filled when LoadParam is set).
    void pageReady();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void DocumentComplete(bool ok);
    void btnOKClick();

    bool FNavigated = false;
};

}  // namespace ov
