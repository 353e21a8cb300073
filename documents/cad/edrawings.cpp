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
    : TPreviewBaseFrm(parent, flags), FClassId(classId), FFitted(fitted) {
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ToolBar = new QToolBar(this);
    ToolBar->setObjectName(u"ToolBar1"_s);
    ViewArea = new QWidget(this);
    ViewArea->setObjectName(u"Panel1"_s);
    layout->addWidget(ToolBar);
    layout->addWidget(ViewArea, 1);

    const auto button = [this](const QString& hint, void (TEDrawingPreViewBase::*click)()) {
        QAction* action = ToolBar->addAction(hint);
        // The designer's names: ToolButton2 (fit) to ToolButton8 (home view), in this order.
        action->setObjectName(u"ToolButton%1"_s.arg(ToolBar->actions().size() + 1));
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, click);
    };
    button(u"合适大小"_s, &TEDrawingPreViewBase::FitClick);
    button(u"局部放大"_s, &TEDrawingPreViewBase::ZoomAreaClick);
    button(u"放大缩小"_s, &TEDrawingPreViewBase::ZoomClick);
    button(u"旋转"_s, &TEDrawingPreViewBase::RotateClick);
    button(u"平移"_s, &TEDrawingPreViewBase::PanClick);
    button(u"阴影"_s, &TEDrawingPreViewBase::ShadingClick);
    button(u"初始状态"_s, &TEDrawingPreViewBase::HomeClick);
    if (FFitted) {
        PaperColorBox = new QComboBox(ToolBar);
        PaperColorBox->setObjectName(u"ColorBox1"_s);
        for (const QString& name : QColor::colorNames()) {
            PaperColorBox->addItem(name, QColor::fromString(name));
        }
        ToolBar->addWidget(PaperColorBox);
        connect(PaperColorBox, &QComboBox::activated, this, [this](int index) {
            PaperColorChange(PaperColorBox->itemData(index).value<QColor>());
        });
    }
    FormCreate();
}

TEDrawingPreViewBase::~TEDrawingPreViewBase() {
    CloseOleObject();
}

void TEDrawingPreViewBase::FormCreate() {
    // Tool bar colour 15856109 (blue F1, green F1, red ED).
    ToolBar->setAutoFillBackground(true);
    QPalette pal = ToolBar->palette();
    pal.setColor(QPalette::Window, QColor(0xED, 0xF1, 0xF1));
    ToolBar->setPalette(pal);
}

void TEDrawingPreViewBase::createControl() {
    FControl = newControl(FClassId, ViewArea);
    if (!FControl) return;
    if (FFitted) {
        FControl->setGeometry(1, 1, 760, 640);
        FFitTimer = new QTimer(this);
        FFitTimer->setObjectName(u"FTimer2"_s);
        FFitTimer->setInterval(800);
        connect(FFitTimer, &QTimer::timeout, this, &TEDrawingPreViewBase::KeepFitted);
        FFitTimer->start();
    } else {
        auto* layout = new QVBoxLayout(ViewArea);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(FControl);
    }
    FControl->show();
}

void TEDrawingPreViewBase::KeepFitted() {
    if (!FControl) return;
    const QSize size = ViewArea->size();
    if (qAbs(size.width() - FControl->width()) <= 5 && qAbs(size.height() - FControl->height()) < 6)
        return;
    FControl->setGeometry(1, 1, size.width() - 2, size.height() - 2);
}

void TEDrawingPreViewBase::LoadLocalFile(int, const QString& FileName) {
    FFilePathAndName = FileName;
    if (PreViewHintFrm) PreViewHintFrm->hide();
    if (!FControl) createControl();
    if (!FControl) {
        // Without the control nothing would ever delete the copy.
        ShowHintText(EngineeringViewerInstallText(FHS_Language), TPreViewHint::PictureError);
        RemovePreviewCopy(FFilePathAndName);
        FFilePathAndName.clear();
        return;
    }
    if (DocReadonly() || !CanPrint()) AddMouseHook(FControl);
    FControl->OpenDoc(FFilePathAndName, false, false, true, QString());
}

void TEDrawingPreViewBase::CloseOleObject() {
    delete FFitTimer;
    FFitTimer = nullptr;
    if (!FControl) return;
    FControl->CloseActiveDoc(QString());
    delete FControl;
    FControl = nullptr;
    if (!FFilePathAndName.isEmpty()) RemovePreviewCopy(FFilePathAndName);
    FFilePathAndName.clear();
}

void TEDrawingPreViewBase::FitClick() {
    if (FControl) FControl->SetViewOrientation(7);
}

void TEDrawingPreViewBase::ZoomAreaClick() {
    if (FControl) FControl->SetViewOperator(3);
}

void TEDrawingPreViewBase::ZoomClick() {
    if (FControl) FControl->SetViewOperator(2);
}

void TEDrawingPreViewBase::RotateClick() {
    if (FControl) FControl->SetViewOperator(1);
}

void TEDrawingPreViewBase::PanClick() {
    if (FControl) FControl->SetViewOperator(4);
}

void TEDrawingPreViewBase::ShadingClick() {
    if (FControl) FControl->SetViewState(2, !FControl->ViewState(2));
}

void TEDrawingPreViewBase::HomeClick() {
    if (FControl) FControl->SetViewOrientation(8);
}

void TEDrawingPreViewBase::PaperColorChange(const QColor& color) {
    if (!FControl) return;
    FControl->SetPaperColor(color);
    FControl->SetPaperColorOverride(true);
    FControl->Refresh();
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
