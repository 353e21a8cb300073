#include "documents/cad/edrawings.h"

#include <QComboBox>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "documents/cad/axedselect.h"
#include "documents/preview/previewdownload.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

EDrawingsControlFactory& controlFactory() {
    static EDrawingsControlFactory factory;
    return factory;
}

// This system has no eDrawings control; only a factory put in place creates one.
EDrawingsControl* newControl(const QString& classId, QWidget* parent) {
    const auto& factory = controlFactory();
    return factory ? factory(classId, parent) : nullptr;
}

// The leading digits of a version part as a number; 0 when there are none.
qint64 partNumber(const QString& part) {
    qint64 value = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9') break;
        value = qMin<qint64>(value * 10 + (c.unicode() - u'0'), qint64{1} << 40);
    }
    return value;
}

const QString kFirstClassId = u"{38EA7638-39D0-44F8-AA3D-E64505B2E6E0}"_s;
const QString k2012ClassId = u"{63D5E286-8FC6-46AE-9DD5-2C23DD25E48C}"_s;
const QString k2013ClassId = u"{4422EAD2-7593-4E5A-B6EE-7C0A49322991}"_s;

}  // namespace

void SetEDrawingsControlFactory(EDrawingsControlFactory factory) {
    controlFactory() = std::move(factory);
}

int CompareVersionTexts(const QString& a, const QString& b) {
    const QStringList left = a.split(u'.');
    const QStringList right = b.split(u'.');
    const qsizetype count = qMax(left.size(), right.size());
    for (qsizetype i = 0; i < count; ++i) {
        const qint64 x = i < left.size() ? partNumber(left[i].trimmed()) : 0;
        const qint64 y = i < right.size() ? partNumber(right[i].trimmed()) : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

TEDrawingPreViewBase* CreateEDrawingsForm(const QString& version, QWidget* parent,
                                          Qt::WindowFlags flags) {
    if (CompareVersionTexts(version, u"12.0"_s) < 0) return new TEDrawingPreViewFrm(parent, flags);
    if (CompareVersionTexts(version, u"13.0"_s) < 0)
        return new TEDrawingPreViewFrm2012(parent, flags);
    if (CompareVersionTexts(version, u"14.0"_s) < 0)
        return new TEDrawingPreViewFrm2013(parent, flags);
    if (CompareVersionTexts(version, u"15.0"_s) < 0)
        return new TEDrawingPreViewFrm2014(parent, flags);
    return nullptr;
}

TEDrawingPreViewBase::TEDrawingPreViewBase(QWidget* parent, Qt::WindowFlags flags,
                                           const QString& classId, bool fitted)
    : TPreviewBaseFrm(parent, flags), m_classId(classId), m_fitted(fitted) {
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ToolBar1 = new QToolBar(this);
    Panel1 = new QWidget(this);
    layout->addWidget(ToolBar1);
    layout->addWidget(Panel1, 1);

    const auto button = [this](const QString& hint, void (TEDrawingPreViewBase::*click)()) {
        QAction* action = ToolBar1->addAction(hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, click);
    };
    button(u"合适大小"_s, &TEDrawingPreViewBase::ToolButton2Click);
    button(u"局部放大"_s, &TEDrawingPreViewBase::ToolButton3Click);
    button(u"放大缩小"_s, &TEDrawingPreViewBase::ToolButton4Click);
    button(u"旋转"_s, &TEDrawingPreViewBase::ToolButton5Click);
    button(u"平移"_s, &TEDrawingPreViewBase::ToolButton6Click);
    button(u"阴影"_s, &TEDrawingPreViewBase::ToolButton7Click);
    button(u"初始状态"_s, &TEDrawingPreViewBase::ToolButton8Click);
    if (m_fitted) {
        ColorBox1 = new QComboBox(ToolBar1);
        for (const QString& name : QColor::colorNames()) {
            ColorBox1->addItem(name, QColor::fromString(name));
        }
        ToolBar1->addWidget(ColorBox1);
        connect(ColorBox1, &QComboBox::activated, this,
                [this](int index) { ColorBox1Change(ColorBox1->itemData(index).value<QColor>()); });
    }
    FormCreate();
}

TEDrawingPreViewBase::~TEDrawingPreViewBase() {
    CloseOleObject();
}

void TEDrawingPreViewBase::FormCreate() {
    // Tool bar colour 15856109 (blue F1, green F1, red ED).
    ToolBar1->setAutoFillBackground(true);
    QPalette pal = ToolBar1->palette();
    pal.setColor(QPalette::Window, QColor(0xED, 0xF1, 0xF1));
    ToolBar1->setPalette(pal);
}

void TEDrawingPreViewBase::createControl() {
    EModelViewCtr = newControl(m_classId, Panel1);
    if (!EModelViewCtr) return;
    if (m_fitted) {
        EModelViewCtr->setGeometry(1, 1, 760, 640);
        FTimer2 = new QTimer(this);
        FTimer2->setInterval(800);
        connect(FTimer2, &QTimer::timeout, this, &TEDrawingPreViewBase::FTimer2Timer);
        FTimer2->start();
    } else {
        auto* layout = new QVBoxLayout(Panel1);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(EModelViewCtr);
    }
    EModelViewCtr->show();
}

void TEDrawingPreViewBase::FTimer2Timer() {
    if (!EModelViewCtr) return;
    const QSize size = Panel1->size();
    if (qAbs(size.width() - EModelViewCtr->width()) <= 5 &&
        qAbs(size.height() - EModelViewCtr->height()) < 6)
        return;
    EModelViewCtr->setGeometry(1, 1, size.width() - 2, size.height() - 2);
}

void TEDrawingPreViewBase::LoadLocalFile(int, const QString& FileName) {
    FFilePathAndName = FileName;
    if (PreViewHintFrm) PreViewHintFrm->hide();
    if (!EModelViewCtr) createControl();
    if (!EModelViewCtr) {
        // Without the control nothing would ever delete the copy.
        ShowHintText(EngineeringViewerInstallText(FHS_Language), TPreViewHint::PictureError);
        RemovePreviewCopy(FFilePathAndName);
        FFilePathAndName.clear();
        return;
    }
    if (DocReadonly() || !CanPrint()) AddMouseHook(EModelViewCtr);
    EModelViewCtr->OpenDoc(FFilePathAndName, false, false, true, QString());
}

void TEDrawingPreViewBase::CloseOleObject() {
    delete FTimer2;
    FTimer2 = nullptr;
    if (!EModelViewCtr) return;
    EModelViewCtr->CloseActiveDoc(QString());
    delete EModelViewCtr;
    EModelViewCtr = nullptr;
    if (!FFilePathAndName.isEmpty()) RemovePreviewCopy(FFilePathAndName);
    FFilePathAndName.clear();
}

void TEDrawingPreViewBase::ToolButton2Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewOrientation(7);
}

void TEDrawingPreViewBase::ToolButton3Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewOperator(3);
}

void TEDrawingPreViewBase::ToolButton4Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewOperator(2);
}

void TEDrawingPreViewBase::ToolButton5Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewOperator(1);
}

void TEDrawingPreViewBase::ToolButton6Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewOperator(4);
}

void TEDrawingPreViewBase::ToolButton7Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewState(2, !EModelViewCtr->ViewState(2));
}

void TEDrawingPreViewBase::ToolButton8Click() {
    if (EModelViewCtr) EModelViewCtr->SetViewOrientation(8);
}

void TEDrawingPreViewBase::ColorBox1Change(const QColor& color) {
    if (!EModelViewCtr) return;
    EModelViewCtr->SetPaperColor(color);
    EModelViewCtr->SetPaperColorOverride(true);
    EModelViewCtr->Refresh();
}

TEDrawingPreViewFrm::TEDrawingPreViewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TEDrawingPreViewBase(parent, flags, kFirstClassId, false) {}

TEDrawingPreViewFrm2012::TEDrawingPreViewFrm2012(QWidget* parent, Qt::WindowFlags flags)
    : TEDrawingPreViewBase(parent, flags, k2012ClassId, false) {}

TEDrawingPreViewFrm2013::TEDrawingPreViewFrm2013(QWidget* parent, Qt::WindowFlags flags)
    : TEDrawingPreViewBase(parent, flags, k2013ClassId, true) {}

// The same class id as the first generation, with the later type library.
TEDrawingPreViewFrm2014::TEDrawingPreViewFrm2014(QWidget* parent, Qt::WindowFlags flags)
    : TEDrawingPreViewBase(parent, flags, kFirstClassId, true) {}

}  // namespace ov
