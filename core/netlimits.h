#pragma once
// How long a request may take and how slow a transfer may get before the client gives up, so
// that a server that stalls or trickles cannot hold a caller for ever.
//
// The defaults:
// - a request (a control-channel exchange from connect to the last byte of the reply, the
//   opening of a file-channel exchange up to the first data byte, an HTTP request whose body
//   is read into memory) ends after 300 s;
// - a transfer (every connection, and above all the data of a file-channel or HTTP download or
//   upload, which has no overall limit) fails when fewer than 1 KiB move in 30 s, in the manner
//   of a low-speed limit. Silence alone still ends at the read time-out.
// Tests pass smaller figures.

#include <QtGlobal>

namespace ov {

struct TransferLimits {
    int requestMs = 300000;
    qint64 minBytes = 1024;
    int windowMs = 30000;
};

}  // namespace ov
