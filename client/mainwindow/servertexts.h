#pragma once
// Texts the main window exchanges with the server around a login: the one-time token for the
// server's web pages, the security levels reply, and the user-message poll's timing.

#include <QString>

#include "core/types.h"

namespace ov {

// The one-time login token for the server's web pages: "[R]" a random number 0 to 999 "[/R]
// [U]" the user token "[/U][Dt]" the local time "YYYY-MM-DD HH:MM:SS" "[/Dt]", enciphered with
// the fixed key (AES-128) as hexadecimal text. A new token for every use.
QString ClientToken(const QString& encryptUserId);
QString ClientToken(const QString& encryptUserId, int random, TDateTime now);

// The security levels reply: items separated by ";", fields by ","; an item of exactly three
// fields (level number, Chinese name, English name; trimmed) with both names present is kept,
// in reply order. A level that is not a number is 0.
TScInfoArray ParseScInfos(const QString& reply);

// The user-message poll interval in days from the server's "Space" value in seconds. A value
// that is not a number, or is not above 0, gives 60 seconds: a zero interval would poll on
// every tick and pile up notices.
double MsgSpaceFromSeconds(const QString& seconds);
double MsgSpaceFromSeconds(int seconds);

// The snooze time a choice of the message notice sets: 1 about an hour (0.041677 days), 2 one
// day, 3 seven days, anything else now.
TDateTime SnoozeUntil(qint64 choice, TDateTime now);

// Whether the user-message poll runs now: the interval has passed since the last poll and
// the snooze time is over.
bool UserMsgDue(TDateTime now, TDateTime lastPoll, double interval, TDateTime snoozeUntil);

}  // namespace ov
