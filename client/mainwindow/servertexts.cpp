#include "client/mainwindow/servertexts.h"

#include <QRandomGenerator>

#include "core/cipher.h"
#include "core/datetime.h"
#include "core/split.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {
constexpr double kSecondsPerDay = 86400.0;
constexpr int kDefaultMsgSpaceSeconds = 60;
}  // namespace

QString ClientToken(const QString& encryptUserId) {
    return ClientToken(encryptUserId, QRandomGenerator::global()->bounded(1000), Now());
}

QString ClientToken(const QString& encryptUserId, int random, TDateTime now) {
    const QString text = u"[R]"_s + QString::number(random) + u"[/R][U]"_s + encryptUserId +
                         u"[/U][Dt]"_s + DateTimeToText(now) + u"[/Dt]"_s;
    return EncryptString(text, 1);
}

TScInfoArray ParseScInfos(const QString& reply) {
    TScInfoArray infos;
    for (const QString& item : reply.split(u';')) {
        const QStringList fields = item.split(u',');
        if (fields.size() != 3) continue;
        TScInfo info;
        info.SC = static_cast<std::uint8_t>(TextToIntDef0(fields[0]));
        info.CnName = fields[1].trimmed();
        info.EngName = fields[2].trimmed();
        if (!info.CnName.isEmpty() && !info.EngName.isEmpty()) infos.append(info);
    }
    return infos;
}

double MsgSpaceFromSeconds(const QString& seconds) {
    bool ok = false;
    const int value = seconds.trimmed().toInt(&ok);
    return MsgSpaceFromSeconds(ok ? value : 0);
}

double MsgSpaceFromSeconds(int seconds) {
    return (seconds > 0 ? seconds : kDefaultMsgSpaceSeconds) / kSecondsPerDay;
}

TDateTime SnoozeUntil(qint64 choice, TDateTime now) {
    switch (choice) {
        case 1:
            return now + 0.041677;
        case 2:
            return now + 1;
        case 3:
            return now + 7;
        default:
            return now;
    }
}

bool UserMsgDue(TDateTime now, TDateTime lastPoll, double interval, TDateTime snoozeUntil) {
    return now - lastPoll > interval && now > snoozeUntil;
}

}  // namespace ov
