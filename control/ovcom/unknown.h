#pragma once
// The interfaces every object and host speaks. Each is an abstract class whose virtual table
// starts with the methods of the interfaces it extends, in declaration order; objects are
// reference counted and never deleted by their users (hence the protected destructors).

#include <QString>
#include <cstdint>
#include <span>

#include "control/ovcom/guid.h"
#include "control/ovcom/hresult.h"
#include "control/ovcom/variant.h"

class QWidget;

namespace ov::ovcom {

struct TypeInfo;

struct IUnknown {
    virtual HRESULT QueryInterface(const Guid& iid, void** object) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// Invoke flags (several may be combined by a caller that does not know the member's kind).
enum InvokeFlags : std::uint16_t {
    DISPATCH_METHOD = 1,
    DISPATCH_PROPERTYGET = 2,
    DISPATCH_PROPERTYPUT = 4,
    DISPATCH_PROPERTYPUTREF = 8,
};

// The arguments of a call, in the order of the member's parameters (first parameter first).
struct DispParams {
    std::span<Variant> args;
};

// What a failing member reports: its own code, where it failed and why.
struct ExcepInfo {
    HRESULT scode = S_OK;
    QString source;
    QString description;
};

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;
    // Type information lives as long as the library that holds the object.
    virtual HRESULT GetTypeInfo(std::uint32_t index, const TypeInfo** info) = 0;
    // Member name first, then parameter names; names are matched without regard to case.
    virtual HRESULT GetIDsOfNames(const QString* names, std::uint32_t count, DISPID* ids) = 0;
    // A member that fails returns DISP_E_EXCEPTION with its code and message in `excep`;
    // a bad argument returns DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW with its index in argErr.
    virtual HRESULT Invoke(DISPID id, std::uint16_t flags, DispParams& params, Variant* result,
                           ExcepInfo* excep, std::uint32_t* argErr) = 0;

protected:
    ~IDispatch() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
    virtual HRESULT LockServer(bool lock) = 0;

protected:
    ~IClassFactory() = default;
};

// The outgoing interface of an object: one sink (a dispatch object) at a time.
struct IConnectionPoint : IUnknown {
    virtual HRESULT GetConnectionInterface(Guid* iid) = 0;
    virtual HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) = 0;
    virtual HRESULT Unadvise(std::uint32_t cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

// The class description of an object (its default and source interfaces).
struct IProvideClassInfo : IUnknown {
    virtual HRESULT GetClassInfo(const TypeInfo** info) = 0;

protected:
    ~IProvideClassInfo() = default;
};

// The widget of a control. It starts hidden and without parent; the host may place it in a
// window of its own. The control deletes it when its last reference goes, so a host takes it
// out of its windows (setParent(nullptr)) or releases the control before deleting them.
struct IWidgetWindow : IUnknown {
    virtual QWidget* Widget() = 0;

protected:
    ~IWidgetWindow() = default;
};

// A counted reference.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) {  // NOLINT: takes a reference of its own, like a copy
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.m_p) {}
    ComPtr(ComPtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~ComPtr() { reset(); }
    static ComPtr attach(T* p) {
        ComPtr result;
        result.m_p = p;
        return result;
    }
    T* detach() { return std::exchange(m_p, nullptr); }
    void reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out parameters: the held reference goes and the slot receives a new one.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&m_p);
    }
    template <class U>
    ComPtr<U> query(const Guid& iid) const {
        ComPtr<U> result;
        if (m_p) m_p->QueryInterface(iid, result.put());
        return result;
    }

private:
    T* m_p = nullptr;
};

}  // namespace ov::ovcom
