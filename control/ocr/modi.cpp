#include "control/ocr/modi.h"

#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

#include "control/ocr/ocrengine.h"

using namespace Qt::StringLiterals;

namespace ov::control {

TModiFrm::TModiFrm(THS_Language language, QWidget* parent) : QWidget(parent) {
    setObjectName(u"ModiFrm"_s);
    setFont(language == HSL_CN ? QFont(u"宋体"_s, 9) : QFont(u"Arial"_s, 9));
    InitLangStrings(language);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(u"TabSheet1"_s);
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(u"TabSheet2"_s);
    PageControl1->addTab(TabSheet1, u"   图像   "_s);
    PageControl1->addTab(TabSheet2, u"  文本  "_s);
    ComboBox1 = new QComboBox(TabSheet1);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    for (int percent = 10; percent <= 100; percent += 10)
        ComboBox1->addItem(QString::number(percent) + u'%');
    ComboBox1->setCurrentIndex(5);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TModiFrm::ZoomChanged);
    auto* imageLayout = new QVBoxLayout(TabSheet1);
    imageLayout->addWidget(ComboBox1, 0, Qt::AlignLeft);
    imageLayout->addStretch();
    Memo1 = new QPlainTextEdit(TabSheet2);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    (new QVBoxLayout(TabSheet2))->addWidget(Memo1);
    (new QVBoxLayout(this))->addWidget(PageControl1);
    layout()->setContentsMargins(0, 0, 0, 0);
}

TModiFrm::~TModiFrm() {
    m_cancel = true;
    if (m_worker) m_worker->wait();
}

void TModiFrm::InitLangStrings(THS_Language language) {
    const bool cn = language == HSL_CN;
    WLS_FileNotExist = cn ? u"不存在的文件,请重新选择文件!"_s
                          : u"File does not exist, please select the file"_s;
    WLS_Hint = cn ? u"提示"_s : u"Hint"_s;
    WLS_Loading = cn ? u"加载图像识别程序,请等待..."_s : u"Load program, please wait ..."_s;
    WLS_LoadFile = cn ? u"加载文件中,请等待..."_s : u"Load file, please wait ..."_s;
    WLS_Modi = cn ? u"开始识别图片内容,系统会使用较长时间,请耐心等待..."_s
                  : u"Begin to identify images within the content, please wait ..."_s;
    WLS_Page = cn ? u"--------------第%s页--------------"_s
                  : u"--------------Page %s--------------"_s;
    WLS_Over = cn ? u"识别完成!"_s : u"Completing the identification!"_s;
}

void TModiFrm::Report(const QString& text) {
    if (OnOCRProgress) OnOCRProgress(text);
}

void TModiFrm::LoadDoc() {
    if (!QFileInfo(OcrFileName).isFile()) {
        QMessageBox box(QMessageBox::NoIcon, WLS_Hint, WLS_FileNotExist, QMessageBox::Ok, this);
        box.setObjectName(u"ModiMessage"_s);
        box.exec();
        return;
    }
    CloseDoc();
    Report(WLS_Loading);
    if (OcrDocument::EngineVersion().isEmpty())
        throw OcrError(u"The OCR engine or its language data is not installed"_s);
    m_document = std::make_unique<OcrDocument>(OcrFileName);
    Report(WLS_LoadFile);
    FView = new QScrollArea(TabSheet1);
    FView->setObjectName(u"ModiView"_s);
    FView->setWidgetResizable(false);
    static_cast<QVBoxLayout*>(TabSheet1->layout())->insertWidget(1, FView, 1);
    ShowPages();
}

void TModiFrm::ShowPages() {
    auto* pages = new QWidget;
    auto* column = new QVBoxLayout(pages);
    for (int i = 0; i < m_document->PageCount(); ++i) {
        const QImage image = m_document->PageImage(i);
        auto* label = new QLabel;
        label->setPixmap(QPixmap::fromImage(image.scaled(image.size() * m_zoom,
                                                         Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation)));
        column->addWidget(label);
    }
    FView->setWidget(pages);
}

void TModiFrm::ZoomChanged(int index) {
    m_zoom = (index + 1) * 0.1;
    if (FView && m_document) ShowPages();
}

// The pages' texts, read on a worker thread; this thread goes on handling its events. The
// form may be freed meanwhile (its owner closing): its destructor stops and waits for the
// worker, and `alive` tells the caller.
QStringList TModiFrm::RunRecognition(QString& error, bool& alive) {
    QStringList texts;
    const QPointer<TModiFrm> guard(this);
    const std::unique_ptr<QThread> worker(QThread::create([this, &texts, &error] {
        try {
            m_document->Recognise(m_cancel, [&texts](const QString& text) { texts << text; });
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
    }));
    m_cancel = false;
    m_worker = worker.get();
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    alive = !guard.isNull();
    if (alive) m_worker = nullptr;
    return texts;
}

void TModiFrm::Ocr() {
    FOcrText.clear();
    Memo1->clear();
    if (!m_document || m_worker) return;
    Report(WLS_Modi);
    QString error;
    bool alive = true;
    const QStringList texts = RunRecognition(error, alive);
    if (!alive) return;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        Memo1->appendPlainText(QString(WLS_Page).replace(u"%s"_s, QString::number(i + 1)));
        Memo1->appendPlainText(texts[i]);
        Memo1->appendPlainText(u"\n"_s);
        FOcrText += texts[i] + u"\r\n"_s;
        PageControl1->setCurrentWidget(TabSheet2);
    }
    Report(error.isEmpty() ? WLS_Over : u"Error: "_s + error);
}

void TModiFrm::CloseDoc() {
    delete FView;
    FView = nullptr;
    m_document.reset();
}

}  // namespace ov::control
