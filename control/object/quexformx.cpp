#include "control/object/quexformx.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "control/members/clientwindow.h"
#include "control/object/typelib.h"
#include "core/clientprogram.h"
#include "core/globalconfig.h"
#include "core/paths.h"
#include "documents/preview/previewhint.h"

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr ovcom::DISPID kOnActivate = 201, kOnClick = 202, kOnDblClick = 204, kOnDestroy = 205,
                        kOnDeactivate = 206, kOnKeyPress = 207, kOnMouseEnter = 208,
                        kOnMouseLeave = 209, kOnPaint = 210;

}  // namespace

ovcom::ModuleCounts& ModuleCounts() {
    static ovcom::ModuleCounts counts;
    return counts;
}

ovcom::HRESULT TQuexFormX::Create(const ovcom::Guid& iid, void** object) {
    auto* control = new TQuexFormX;
    control->Initialize();
    const ovcom::HRESULT hr = control->QueryInterface(iid, object);
    control->Release();
    return hr;
}

TQuexFormX::TQuexFormX() {
    ModuleCounts().objectCreated();
    setObjectName(u"QuexFormX"_s);
    setWindowTitle(u"QuexFormX"_s);
    setWindowFlag(Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));  // the window colour
    setPalette(palette);
    setFont(QFont(u"Tahoma"_s, 8));
    resize(553, 416);
    setMouseTracking(true);
    hide();
    // KeyPreview: the form sees the keys of its child widgets first.
    qApp->installEventFilter(this);
}

TQuexFormX::~TQuexFormX() {
    if (qApp) qApp->removeEventFilter(this);
    try {
        CloseChildForms();
    } catch (...) {
        // destruction goes on; the forms are gone either way
    }
    FireEvent(kOnDestroy);
    FEvents.reset();
    ModuleCounts().objectDestroyed();
}

void TQuexFormX::Initialize() {
    EventsAttached = true;
    FAxVer = u"2.0"_s;
    FDocCmd.clear();
    ForgetClientWindow();
    FAppPath = GetUserDataPath();
    FModulePath = GetModulePath();
    FClientFileName = ClientProgramFile();
    const auto config = GlobalConfig();
    FServerHost = config->ServerHost();
    FServerPort = config->ServerPort();
    FFileRoot = config->WorkRoot();
    FAutovuexOpenOfficeFile = config->AutovuexOpenOfficeFile();
    FLanguage = config->SysLanguage();
    WLS_Hint = FLanguage == HSL_CN ? u"提示"_s : u"Hint"_s;
    HintOfPreviewFrm();
}

void TQuexFormX::CloseChildForms() {
    Forms.closeAll();
}

TPreViewHint* TQuexFormX::HintOfPreviewFrm() {
    if (auto* hint = qobject_cast<TPreViewHint*>(Forms.get(ChildForm::WaitHint))) return hint;
    auto* hint = new TPreViewHint(FLanguage, nullptr);
    hint->hide();
    Forms.set(ChildForm::WaitHint, hint);
    return hint;
}

const ovcom::GuardSite& TQuexFormX::guardSite() const {
    static const ovcom::GuardSite site{QString::fromUtf16(kProgId), IID_IQuexFormX};
    return site;
}

// ---- identity ------------------------------------------------------------------------------

ovcom::HRESULT TQuexFormX::QueryInterface(const ovcom::Guid& iid, void** object) {
    if (!object) return ovcom::E_POINTER;
    *object = nullptr;
    if (iid == ovcom::IID_IUnknown || iid == ovcom::IID_IDispatch || iid == IID_IQuexFormX)
        *object = static_cast<IQuexFormX*>(this);
    else if (iid == ovcom::IID_IConnectionPoint)
        *object = static_cast<ovcom::IConnectionPoint*>(this);
    else if (iid == ovcom::IID_IProvideClassInfo)
        *object = static_cast<ovcom::IProvideClassInfo*>(this);
    else if (iid == ovcom::IID_IWidgetWindow)
        *object = static_cast<ovcom::IWidgetWindow*>(this);
    else
        return ovcom::E_NOINTERFACE;
    AddRef();
    return ovcom::S_OK;
}

std::uint32_t TQuexFormX::AddRef() {
    return ++m_refs;
}

std::uint32_t TQuexFormX::Release() {
    const std::uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

ovcom::HRESULT TQuexFormX::GetTypeInfoCount(std::uint32_t* count) {
    if (!count) return ovcom::E_POINTER;
    *count = 1;
    return ovcom::S_OK;
}

ovcom::HRESULT TQuexFormX::GetTypeInfo(std::uint32_t index, const ovcom::TypeInfo** info) {
    if (!info) return ovcom::E_POINTER;
    if (index != 0) return ovcom::DISP_E_BADINDEX;
    *info = &QuexFormXInterfaceInfo();
    return ovcom::S_OK;
}

ovcom::HRESULT TQuexFormX::GetIDsOfNames(const QString* names, std::uint32_t count,
                                         ovcom::DISPID* ids) {
    return QuexFormXDispatcher().getIDsOfNames(names, count, ids);
}

ovcom::HRESULT TQuexFormX::Invoke(ovcom::DISPID id, std::uint16_t flags, ovcom::DispParams& params,
                                  ovcom::Variant* result, ovcom::ExcepInfo* excep,
                                  std::uint32_t* argErr) {
    // The call may free the last outside reference (an event handler releasing the control).
    const ovcom::ComPtr<IQuexFormX> keep(this);
    return QuexFormXDispatcher().invoke(static_cast<IQuexFormX*>(this), id, flags, params, result,
                                        excep, argErr);
}

ovcom::HRESULT TQuexFormX::GetConnectionInterface(ovcom::Guid* iid) {
    if (!iid) return ovcom::E_POINTER;
    *iid = DIID_IQuexFormXEvents;
    return ovcom::S_OK;
}

ovcom::HRESULT TQuexFormX::Advise(ovcom::IUnknown* sink, std::uint32_t* cookie) {
    if (!sink || !cookie) return ovcom::E_POINTER;
    if (FEvents) return ovcom::CONNECT_E_ADVISELIMIT;
    ovcom::ComPtr<ovcom::IDispatch> events;
    if (ovcom::FAILED(sink->QueryInterface(DIID_IQuexFormXEvents, events.put())) &&
        ovcom::FAILED(sink->QueryInterface(ovcom::IID_IDispatch, events.put())))
        return ovcom::CONNECT_E_CANNOTCONNECT;
    FEvents = events;
    *cookie = 1;
    return ovcom::S_OK;
}

ovcom::HRESULT TQuexFormX::Unadvise(std::uint32_t cookie) {
    if (cookie != 1 || !FEvents) return ovcom::CONNECT_E_NOCONNECTION;
    FEvents.reset();
    return ovcom::S_OK;
}

ovcom::HRESULT TQuexFormX::GetClassInfo(const ovcom::TypeInfo** info) {
    if (!info) return ovcom::E_POINTER;
    *info = &QuexFormXClassInfo();
    return ovcom::S_OK;
}

// ---- events --------------------------------------------------------------------------------

void TQuexFormX::FireEvent(ovcom::DISPID id) {
    if (!FEvents || !EventsAttached) return;
    const ovcom::ComPtr<ovcom::IDispatch> sink = FEvents;
    ovcom::DispParams none;
    sink->Invoke(id, ovcom::DISPATCH_METHOD, none, nullptr, nullptr, nullptr);
}

std::int16_t TQuexFormX::FireKeyPress(std::int16_t key) {
    if (!FEvents || !EventsAttached) return key;
    const ovcom::ComPtr<ovcom::IDispatch> sink = FEvents;
    ovcom::Variant arg = ovcom::Variant::byRef(&key);
    ovcom::DispParams params{std::span<ovcom::Variant>(&arg, 1)};
    sink->Invoke(kOnKeyPress, ovcom::DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
    return key;
}

bool TQuexFormX::PreviewKey(QWidget* target, QKeyEvent* event) {
    if (event->text().isEmpty()) return false;
    const auto original = static_cast<std::int16_t>(event->text().at(0).unicode());
    const std::int16_t key = FireKeyPress(original);
    if (key == original) return false;
    if (key != 0) {
        const QChar replaced(static_cast<char16_t>(key));
        QKeyEvent again(QEvent::KeyPress, replaced.toUpper().unicode(), event->modifiers(),
                        QString(replaced));
        m_replaying = true;
        QCoreApplication::sendEvent(target, &again);
        m_replaying = false;
    }
    return true;
}

bool TQuexFormX::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_replaying || !Props.keyPreview)
        return QWidget::eventFilter(watched, event);
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || (target != this && !isAncestorOf(target)))
        return QWidget::eventFilter(watched, event);
    return PreviewKey(target, static_cast<QKeyEvent*>(event));
}

void TQuexFormX::keyPressEvent(QKeyEvent* event) {
    // With KeyPreview the application filter has seen the key already.
    if (!Props.keyPreview && !m_replaying) PreviewKey(this, event);
    event->accept();
}

void TQuexFormX::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        FireEvent(isActiveWindow() ? kOnActivate : kOnDeactivate);
    QWidget::changeEvent(event);
}

void TQuexFormX::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void TQuexFormX::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click) FireEvent(kOnClick);
}

void TQuexFormX::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) FireEvent(kOnDblClick);
}

void TQuexFormX::enterEvent(QEnterEvent* event) {
    FireEvent(kOnMouseEnter);
    QWidget::enterEvent(event);
}

void TQuexFormX::leaveEvent(QEvent* event) {
    FireEvent(kOnMouseLeave);
    QWidget::leaveEvent(event);
}

void TQuexFormX::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    FireEvent(kOnPaint);
}

}  // namespace ov::control
