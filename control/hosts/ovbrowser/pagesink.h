#pragma once
// The event sink of one control: hands each event the page listens to to the bridge.

#include <functional>

#include "control/ovcom/eventsink.h"

namespace ov::ovbrowser {

class PageSink final : public ovcom::EventSink {
public:
    using Forward = std::function<void(ovcom::DISPID id, std::span<ovcom::Variant> args)>;
    explicit PageSink(Forward forward) : m_forward(std::move(forward)) {}

    // After this no event goes anywhere (the bridge is going).
    void disconnect() { m_forward = nullptr; }

    ovcom::HRESULT Invoke(ovcom::DISPID id, std::uint16_t flags, ovcom::DispParams& params,
                          ovcom::Variant* result, ovcom::ExcepInfo* excep,
                          std::uint32_t* argErr) override;

private:
    ~PageSink() override = default;

    Forward m_forward;
};

}  // namespace ov::ovbrowser
