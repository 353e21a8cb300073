#include "control/hosts/ovbrowser/pagesink.h"

namespace ov::ovbrowser {

ovcom::HRESULT PageSink::Invoke(ovcom::DISPID id, std::uint16_t, ovcom::DispParams& params,
                                ovcom::Variant*, ovcom::ExcepInfo*, std::uint32_t*) {
    if (m_forward) {
        const Forward forward = m_forward;  // the call may disconnect us
        forward(id, params.args);
    }
    return ovcom::S_OK;
}

}  // namespace ov::ovbrowser
