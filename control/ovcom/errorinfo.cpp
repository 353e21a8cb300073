#include "control/ovcom/errorinfo.h"

using namespace Qt::StringLiterals;

namespace ov::ovcom {

namespace {
thread_local std::optional<ErrorInfo> t_errorInfo;
}

void SetErrorInfo(std::optional<ErrorInfo> info) {
    t_errorInfo = std::move(info);
}

std::optional<ErrorInfo> GetErrorInfo() {
    return std::exchange(t_errorInfo, std::nullopt);
}

OleError::OleError(HRESULT code, const QString& message)
    : m_code(code), m_message(message), m_what(message.toUtf8()) {}

void OleCheck(HRESULT hr) {
    if (SUCCEEDED(hr)) return;
    const std::optional<ErrorInfo> info = GetErrorInfo();
    throw OleError(hr, info ? info->description
                            : u"Error 0x"_s + QString::number(static_cast<quint32>(hr), 16));
}

HRESULT HandleMemberException(const GuardSite& site) noexcept {
    try {
        throw;
    } catch (const OleError& e) {
        SetErrorInfo(ErrorInfo{e.message(), site.source, site.iid});
        return e.code() < 0 ? e.code() : E_UNEXPECTED;
    } catch (const std::exception& e) {
        SetErrorInfo(ErrorInfo{QString::fromUtf8(e.what()), site.source, site.iid});
    } catch (...) {
        SetErrorInfo(ErrorInfo{u"Unexpected error"_s, site.source, site.iid});
    }
    return E_UNEXPECTED;
}

}  // namespace ov::ovcom
