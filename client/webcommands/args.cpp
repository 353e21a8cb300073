#include "client/webcommands/args.h"

#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

std::int32_t tagInt(const QString& cmd, const QString& tag) {
    return TextToIntDef0(ReadTagValue(cmd, tag));
}

std::int64_t tagInt64(const QString& cmd, const QString& tag) {
    return TextToInt64Def0(ReadTagValue(cmd, tag));
}

std::int32_t tagIntDef(const QString& cmd, const QString& tag, std::int32_t def) {
    bool ok = false;
    const std::int32_t value = ReadTagValue(cmd, tag).toInt(&ok);
    return ok ? value : def;
}

QString WebFileName(const QString& name) {
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    QString result;
    for (const QChar c : name.mid(cut + 1))
        if (c.category() != QChar::Other_Control) result += c;
    return result == u"."_s || result == u".."_s ? QString() : result;
}

}  // namespace ov
