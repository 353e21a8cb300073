#pragma once
// The control: a borderless widget that a page creates through the registry and scripts
// through `IQuexFormX`, telling its event sink what happens to it. It is created hidden and
// without parent; its host places it. Its last reference deletes it. Member code lives in
// control/members/ and works on the public fields below.

#include <QFont>
#include <QPointer>
#include <QWidget>

#include "control/object/childforms.h"
#include "control/object/iquexformx.h"
#include "control/object/quexformxslots.h"
#include "control/ovcom/errorinfo.h"
#include "control/ovcom/module.h"
#include "core/types.h"

namespace ov {
class TPreViewHint;
}

namespace ov::control {

// The library's object and lock counts.
ovcom::ModuleCounts& ModuleCounts();

// The state of the form's standard properties that the widget does not keep itself.
struct FormProperties {
    bool autoScroll = false;
    bool autoSize = false;
    TxActiveFormBorderStyle borderStyle = afbNone;
    ovcom::OLE_COLOR color = static_cast<ovcom::OLE_COLOR>(0x80000005);  // the window colour
    bool keyPreview = false;
    std::int32_t pixelsPerInch = 96;
    TxPrintScale printScale = poProportional;
    bool scaled = true;
    bool dropTarget = false;
    QString helpFile;
    TxPopupMode popupMode = pmNone;
    bool screenSnap = false;
    std::int32_t snapBuffer = 10;
    bool dockSite = false;
    bool doubleBuffered = false;
    bool useDockManager = false;
    bool alignWithMargins = false;
};

class TQuexFormX final : public QWidget,
                         public QuexFormXSlots,
                         public ovcom::IConnectionPoint,
                         public ovcom::IProvideClassInfo,
                         public ovcom::IWidgetWindow {
    Q_OBJECT
public:
    static constexpr const char16_t* kProgId = u"OvCtrl.QuexFormX";

    // What the class factory calls: a new control, initialised, asked for `iid`.
    static ovcom::HRESULT Create(const ovcom::Guid& iid, void** object);

    // A new control with one reference (its creator's); Initialize has not run yet.
    TQuexFormX();

    // IUnknown
    ovcom::HRESULT QueryInterface(const ovcom::Guid& iid, void** object) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    // IDispatch
    ovcom::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
    ovcom::HRESULT GetTypeInfo(std::uint32_t index, const ovcom::TypeInfo** info) override;
    ovcom::HRESULT GetIDsOfNames(const QString* names, std::uint32_t count,
                                 ovcom::DISPID* ids) override;
    ovcom::HRESULT Invoke(ovcom::DISPID id, std::uint16_t flags, ovcom::DispParams& params,
                          ovcom::Variant* result, ovcom::ExcepInfo* excep,
                          std::uint32_t* argErr) override;
    // IConnectionPoint: one sink of IQuexFormXEvents (cookie 1).
    ovcom::HRESULT GetConnectionInterface(ovcom::Guid* iid) override;
    ovcom::HRESULT Advise(ovcom::IUnknown* sink, std::uint32_t* cookie) override;
    ovcom::HRESULT Unadvise(std::uint32_t cookie) override;
    // IProvideClassInfo
    ovcom::HRESULT GetClassInfo(const ovcom::TypeInfo** info) override;
    // IWidgetWindow
    QWidget* Widget() override { return this; }

    // Reads the settings into the fields, attaches the events, creates the wait window.
    void Initialize();
    // The clean-up of CloseWebBrowser and of the destruction: every child form closed and
    // freed; the first failure raised after the last one.
    void CloseChildForms();
    // The shared wait/error window; created again when a clean-up freed it.
    TPreViewHint* HintOfPreviewFrm();
    const ovcom::GuardSite& guardSite() const;

    // The events; nothing happens without a sink. OnKeyPress returns the key the sink left.
    void FireEvent(ovcom::DISPID id);
    std::int16_t FireKeyPress(std::int16_t key);

    // Fields (in the order the control has always declared them).
    ovcom::ComPtr<ovcom::IDispatch> FEvents;
    QString WLS_Hint;
    QString FAxVer;
    QString FFileRoot;
    QString FClientFileName;
    QString FAppPath;
    QString FModulePath;
    QString FDocCmd;
    QString FServerHost;
    std::int32_t FServerPort = 0;
    bool FAutovuexOpenOfficeFile = false;
    QString FModiFN;
    THS_Language FLanguage = HSL_CN;
    ChildForms Forms;  // PEditFrm, PPreviewFrm, ... PNtkoPdfSignFrm
    FormProperties Props;
    // False until Initialize attached the event firers (the creation event never reaches
    // the page).
    bool EventsAttached = false;

protected:
    ~TQuexFormX() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The key press of a form widget: false when it goes on as it is, true when it was
    // swallowed or replaced.
    bool PreviewKey(QWidget* target, QKeyEvent* event);

    std::atomic<std::uint32_t> m_refs{1};
    bool m_pressed = false;
    bool m_replaying = false;
};

}  // namespace ov::control
