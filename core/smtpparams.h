#pragma once
// The settings of the mail sender and the tagged parameter text they travel in, and the
// cleaning of a recipient list typed by users.

#include <QString>
#include <cstdint>

namespace ov {

// How the sender logs in: not at all, with the plain login, or after STARTTLS with the best
// SASL mechanism both sides know.
enum TIdSMTPAuthenticationType : std::uint8_t { satNone = 0, satDefault = 1, satSASL = 2 };

struct TSmtpParams {
    QString Username;         // sender's mail address, also the login name
    QString FromDisplayName;  // may be empty
    QString PassWord;
    QString Host;
    std::int32_t Port = 0;
    std::uint8_t AuthType = satNone;  // TIdSMTPAuthenticationType
};

// Reads the parameter text: "srv" host, "port" (25 when missing or not a number), "ssl" the
// authentication type (1 when missing or not a number), "add" the address, "displayname",
// "pass" (deciphered at key type 3 when passwordIsEncrypt).
TSmtpParams StrToSmtpParams(const QString& text, bool passwordIsEncrypt);

// The addresses in angle brackets of a ";"-separated list ("Name<a@b.cn>;Other<c@d.cn>"), kept
// when they are valid mail addresses, joined with ";". Items without brackets are dropped.
QString EmailFormat(const QString& addressText);

}  // namespace ov
