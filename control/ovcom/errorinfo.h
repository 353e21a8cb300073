#pragma once
// Error information of the calling thread, and the rule that turns an exception leaving a
// member into a failing result: the exception's message becomes the thread's error
// information, the result is the exception's own negative code or else E_UNEXPECTED.

#include <QString>
#include <exception>
#include <optional>

#include "control/ovcom/guid.h"
#include "control/ovcom/hresult.h"

namespace ov::ovcom {

struct ErrorInfo {
    QString description;
    QString source;  // the ProgID of the object that failed
    Guid iid;        // the interface of the failing member
};

// Sets (or, with nullopt, clears) the calling thread's error information.
void SetErrorInfo(std::optional<ErrorInfo> info);
// Takes the calling thread's error information; nullopt when none is set.
std::optional<ErrorInfo> GetErrorInfo();

// An exception that carries a result code of its own.
class OleError : public std::exception {
public:
    OleError(HRESULT code, const QString& message);
    HRESULT code() const noexcept { return m_code; }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    HRESULT m_code;
    QString m_message;
    QByteArray m_what;
};

// Raises an OleError for a failing result (with the thread's error description, if any).
void OleCheck(HRESULT hr);

// Where a guarded member belongs, for the error information it leaves.
struct GuardSite {
    QString source;
    Guid iid;
};

// The result an exception in flight turns into; call only inside a catch block.
HRESULT HandleMemberException(const GuardSite& site) noexcept;

// Runs the member; S_OK when it returns, else the exception's result (HandleMemberException).
template <class F>
HRESULT Guard(const GuardSite& site, F&& member) noexcept {
    try {
        SetErrorInfo(std::nullopt);
        member();
        return S_OK;
    } catch (...) {
        return HandleMemberException(site);
    }
}

}  // namespace ov::ovcom
