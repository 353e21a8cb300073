#pragma once
// What a server library counts to know whether it may be unloaded, and its class factory.

#include <atomic>

#include "control/ovcom/unknown.h"

namespace ov::ovcom {

class ModuleCounts {
public:
    void objectCreated() { ++m_objects; }
    void objectDestroyed() { --m_objects; }
    void lock(bool on) { on ? ++m_locks : --m_locks; }
    long objects() const { return m_objects; }
    long locks() const { return m_locks; }
    // No object and no factory lock remain.
    bool canUnload() const { return m_objects == 0 && m_locks == 0; }

private:
    std::atomic<long> m_objects{0};
    std::atomic<long> m_locks{0};
};

// The factory of one class: each CreateInstance makes a new object. It lives as long as the
// library, so its own references keep nothing alive.
class ClassFactory final : public IClassFactory {
public:
    using Create = HRESULT (*)(const Guid& iid, void** object);
    ClassFactory(const Guid& clsid, ModuleCounts& counts, Create create)
        : m_clsid(clsid), m_counts(counts), m_create(create) {}

    HRESULT QueryInterface(const Guid& iid, void** object) override;
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** object) override;
    HRESULT LockServer(bool lock) override;

    // What DllGetClassObject answers for this factory.
    HRESULT getClassObject(const Guid& clsid, const Guid& iid, void** object);

private:
    Guid m_clsid;
    ModuleCounts& m_counts;
    Create m_create;
};

}  // namespace ov::ovcom
