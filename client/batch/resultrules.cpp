// Result codes of batch transfers.

#include "client/batch/resultrules.h"

#include <initializer_list>

namespace ov {

namespace {

constexpr double kTwoSeconds = 2.31481481481482e-5;

bool OneOf(std::uint8_t code, std::initializer_list<int> codes) {
    for (const int c : codes)
        if (code == c) return true;
    return false;
}

// Local write failures, bad data, server save failures and unexpected errors leave the file to
// be tried again; a file that cannot be opened only while it still exists.
bool IsRetryFailure(std::uint8_t code, bool fileExists) {
    return OneOf(code, {11, 21, 53, 100, 127}) || (code == 12 && fileExists);
}

}  // namespace

TResultRule ClassifyUpload(std::uint8_t code, double elapsedDays, bool fileExists) {
    if (OneOf(code, {2, 5, 6, 7, 60})) {
        const std::uint8_t kept = code == 2 && elapsedDays < kTwoSeconds ? 101 : code;
        return {TFileOutcome::Failed, kept, TErrorText::CodeText};
    }
    if (OneOf(code, {13, 37})) return {TFileOutcome::Failed, code, TErrorText::PathAndCodeText};
    if (IsRetryFailure(code, fileExists))
        return {TFileOutcome::Failed, code, TErrorText::PathAndLastError};
    if (code == 3) return {TFileOutcome::Done, code, TErrorText::None};
    return {TFileOutcome::DoneWithError, code, TErrorText::PathAndLastError};
}

TResultRule ClassifyDownload(std::uint8_t code, bool fileExists) {
    if (OneOf(code, {2, 5, 7})) return {TFileOutcome::Failed, code, TErrorText::CodeText};
    if (IsRetryFailure(code, fileExists) && code != 12)
        return {TFileOutcome::Failed, code, TErrorText::PathAndLastError};
    if (code == 10) return {TFileOutcome::Done, code, TErrorText::None};
    return {TFileOutcome::DoneWithError, code, TErrorText::PathAndLastError};
}

bool IsConnectionFailure(std::uint8_t code) {
    return code == 2 || code == 101;
}

bool IsAutoRetryCode(std::uint8_t code) {
    return code == 2 || code == 101 || code == 127;
}

}  // namespace ov
