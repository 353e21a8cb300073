#pragma once
// The signing control the signing form embeds: a widget that shows a PDF, lets the user sign it
// and talks to its own signature server. What the form relies on is listed here; how the
// control signs is its own. A control reports a failure by raising std::exception.
//
// Signing back-ends install a factory with `SignControls()`; none is installed by default.

#include <QString>
#include <QWidget>
#include <functional>

namespace ov::control {

class TOfficeControl : public QWidget {
public:
    using QWidget::QWidget;

    // Display settings.
    virtual void SetTitlebar(bool on) = 0;
    virtual void SetToolbars(bool on) = 0;
    virtual void SetModalState(bool on) = 0;
    virtual void SetMenubar(bool on) = 0;
    // The two set-up texts of the page, handed over as they are.
    virtual void SetUp(const QString& value1, const QString& value2) = 0;
    virtual void AddDocTypePlugin(const QString& extension, const QString& progId,
                                  const QString& version, const QString& location, int docType,
                                  bool autoDownload) = 0;
    // The document's signature-server calls.
    virtual bool SvrIsLogin() = 0;
    virtual void SetSvrUrl(const QString& url) = 0;
    virtual void SvrDoLogin(const QString& userName, const QString& password) = 0;
    // The open document: opened from, saved back to and closed on a local file.
    virtual void OpenLocalFile(const QString& path) = 0;
    virtual void SaveToLocal() = 0;
    virtual void Close() = 0;
};

// Makes a signing control with the given parent; empty when no back-end is installed.
using SignControlFactory = std::function<TOfficeControl*(QWidget* parent)>;
SignControlFactory& SignControls();

}  // namespace ov::control
