#include "client/webpages/filepropertyfrm.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "client/filemanager/formstyle.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

constexpr const char16_t* kFillScript = uR"((function (props) {
  for (var i = 0; i < props.length; i++) {
    var id = props[i][0], value = props[i][1];
    var field = document.getElementsByName('FilePrt' + id)[0];
    if (field && (field.type === 'radio' || field.type === 'checkbox'))
      value = value.split(',').join('*#*#');
    var input = document.createElement('input');
    input.type = 'hidden';
    input.id = 'h_FilePrt' + id;
    input.value = value;
    document.body.appendChild(input);
  }
  if (typeof fillProperty === 'function') fillProperty();
})()";

constexpr const char16_t* kCheckScript = uR"((function () {
  if (typeof checkFilePrt === 'function') checkFilePrt();
  var ok = document.getElementById('isOK');
  var text = document.getElementById('filePrt');
  return ok && ok.value === '1' && text ? String(text.value) : null;
})())";

}  // namespace

QString FillPropertyScript(const QString& prtParams) {
    QJsonArray props;
    for (const QString& id : ReadTagValue(prtParams, u"proid"_s).split(u',', Qt::SkipEmptyParts)) {
        const QString p = id.trimmed();
        props.append(QJsonArray{p, ReadTagValue(prtParams, p, false)});
    }
    const QString json = QString::fromUtf8(QJsonDocument(props).toJson(QJsonDocument::Compact));
    return QString::fromUtf16(kFillScript) + json + u");"_s;
}

TTSetFilePropertyFrm::TTSetFilePropertyFrm(THS_Language language, QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"TSetFilePropertyFrm"_s);
    const bool cn = language == HSL_CN;
    setWindowTitle(cn ? u"设置文件属性"_s : u"Set file attributes"_s);
    WebBrowser1 = Named(new QWebEngineView(this), u"WebBrowser1"_s);
    btnOK = Named(new QPushButton(cn ? u"确定"_s : u"Confirm"_s, this), u"btnOK"_s);
    BtnCancle = Named(new QPushButton(cn ? u"取消"_s : u"Cancel"_s, this), u"BtnCancle"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(BtnCancle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WebBrowser1, 1);
    layout->addLayout(buttons);
    resize(560, 420);
    ApplyFormFont(this, language);
    connect(WebBrowser1, &QWebEngineView::loadFinished, this,
            [this](bool ok) { DocumentComplete(ok); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(BtnCancle, &QPushButton::clicked, this, &QDialog::reject);
}

void TTSetFilePropertyFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FNavigated) return;
    FNavigated = true;
    WebBrowser1->setUrl(QUrl(URL));
}

void TTSetFilePropertyFrm::DocumentComplete(bool ok) {
    if (!ok || !LoadParam) {
        emit pageReady();
        return;
    }
    WebBrowser1->page()->runJavaScript(FillPropertyScript(PrtParams),
                                       [this](const QVariant&) { emit pageReady(); });
}

void TTSetFilePropertyFrm::btnOKClick() {
    WebBrowser1->page()->runJavaScript(QString::fromUtf16(kCheckScript),
                                       [this](const QVariant& result) {
                                           if (!result.isValid() || result.isNull()) return;
                                           PrtParams = result.toString();
                                           accept();
                                       });
}

}  // namespace ov
