#pragma once
// The event sink of one control: hands each event the page listens to to the bridge.

#include <atomic>
#include <functional>

#include "control/ovcom/unknown.h"

namespace ov::ovbrowser {

class PageSink final : public ovcom::IDispatch {
public:
    using Forward = std::function<void(ovcom::DISPID id, std::span<ovcom::Variant> args)>;
    explicit PageSink(Forward forward) : m_forward(std::move(forward)) {}

    // After this no event goes anywhere (the bridge is going).
    void disconnect() { m_forward = nullptr; }

    ovcom::HRESULT QueryInterface(const ovcom::Guid& iid, void** object) override;
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override;
    ovcom::HRESULT GetTypeInfoCount(std::uint32_t* count) override;
    ovcom::HRESULT GetTypeInfo(std::uint32_t, const ovcom::TypeInfo**) override;
    ovcom::HRESULT GetIDsOfNames(const QString*, std::uint32_t, ovcom::DISPID*) override;
    ovcom::HRESULT Invoke(ovcom::DISPID id, std::uint16_t flags, ovcom::DispParams& params,
                          ovcom::Variant* result, ovcom::ExcepInfo* excep,
                          std::uint32_t* argErr) override;

private:
    ~PageSink() = default;

    std::atomic<std::uint32_t> m_refs{1};
    Forward m_forward;
};

}  // namespace ov::ovbrowser
