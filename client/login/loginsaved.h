#pragma once
// What a login keeps in the settings: the identity of the user logged in, the server, and the
// saved name and password for automatic login. A saved password belongs to the server it was
// saved for; it is never offered to another one (a web page can change the server setting).

#include <QString>

#include "client/login/loginrequest.h"

namespace ov {

class TClientConfigX;

// The settings key that names the server the saved password belongs to.
inline const QString kLoginServerKey = QStringLiteral("LoginServer");

// The server of the settings (`ServerHost`, `ServerPort`, `IsSSL`).
TLoginServer ConfiguredServer(const TClientConfigX& config);

// Whether the saved password was saved for this server (host without regard to case, port and
// secure connection alike). False when no server was recorded with it.
bool SavedPasswordFits(const TClientConfigX& config, const TLoginServer& server);

// The handed-over identity: start style SS_ACTIVTX, a user id above 0, a token and a name.
bool HasHandedOverIdentity(const TClientConfigX& config);

// The identity of a successful login (in memory; the caller decides about saving).
void StoreIdentity(TClientConfigX& config, const TLoginReply& reply);

// The server of a successful login (in memory).
void StoreServer(TClientConfigX& config, const TLoginServer& server);

// After a login through the dialog: identity and server, start style SS_NONE, automatic login
// as the "save login" choice, and the name and password (with the server they belong to) kept
// only when that choice is on. The settings are saved.
void StoreDialogLogin(TClientConfigX& config, const TLoginServer& server, const QString& name,
                      const QString& password, const TLoginReply& reply);

}  // namespace ov
