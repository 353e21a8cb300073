#include "control/ovcom/module.h"

namespace ov::ovcom {

HRESULT ClassFactory::QueryInterface(const Guid& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, const Guid& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return m_create(iid, object);
}

HRESULT ClassFactory::LockServer(bool lock) {
    m_counts.lock(lock);
    return S_OK;
}

HRESULT ClassFactory::getClassObject(const Guid& clsid, const Guid& iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (clsid != m_clsid) return CLASS_E_CLASSNOTAVAILABLE;
    return QueryInterface(iid, object);
}

}  // namespace ov::ovcom
