#pragma once
// What the result code of one batch transfer means for the file and the task.

#include <cstdint>

namespace ov {

enum class TFileOutcome : std::uint8_t {
    Done,           // transferred; nothing to report
    DoneWithError,  // not transferred, never to be tried again; the client's error is reported
    Failed          // a failed attempt: retried later (at most five attempts in all)
};

// What goes into the task's error list for a failed file.
enum class TErrorText : std::uint8_t { None, CodeText, PathAndCodeText, PathAndLastError };

struct TResultRule {
    TFileOutcome Outcome = TFileOutcome::Done;
    std::uint8_t Code = 0;  // the code as the worker keeps it (2 turns into 101 when quick)
    TErrorText Error = TErrorText::None;
};

// elapsedDays: time since the upload started; fileExists: the local file is still there.
TResultRule ClassifyUpload(std::uint8_t code, double elapsedDays, bool fileExists);
TResultRule ClassifyDownload(std::uint8_t code, bool fileExists);
// Codes that count towards the worker's connection failures.
bool IsConnectionFailure(std::uint8_t code);
// Codes after which the window restarts the worker by itself (while fewer than three
// connection failures were counted).
bool IsAutoRetryCode(std::uint8_t code);

}  // namespace ov
