#pragma once
// A GET of one of the server's small text pages (password change, folder changes): TLS by the
// settings, a bounded wait for every byte, and the reply text as the result. A failure's
// message becomes the result instead, so that it is shown to the user like a server answer.

#include <QString>

namespace ov {

inline constexpr int kHttpTextTimeoutMs = 6000;

QString HttpGetText(const QString& url, int readTimeoutMs = kHttpTextTimeoutMs);

}  // namespace ov
