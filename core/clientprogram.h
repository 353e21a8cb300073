#pragma once
// Where OvClient is installed and how its URL scheme ("OvClient://") is registered: one
// routine for OvClient's own "-r" and for the control, so the two never disagree.

#include <QString>

#include "platform/urlscheme.h"

namespace ov {

// The program file name of OvClient.
QString ClientProgramName();

// GetClientPath + the program file name: where the installed OvClient is (or goes).
QString ClientProgramFile();

// Registers the "OvClient" URL scheme ("OvClientProtocol") for the program: the classes keys
// and the desktop's scheme handler.
platform::UrlSchemeResult RegisterClientUrlScheme(const QString& programPath);

// The control's registration: nothing is written when "\OvClient\DefaultIcon" already has a
// default value (true); otherwise RegisterClientUrlScheme, true when its registry keys were
// all written.
bool RegisterClientProtocol(const QString& programPath);

}  // namespace ov
