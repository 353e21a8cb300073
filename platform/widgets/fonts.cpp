#include "platform/widgets/fonts.h"

#include <QFont>
#include <QFontDatabase>

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

const QStringList& chineseNames() {
    static const QStringList names{u"宋体"_s, u"SimSun"_s, u"新宋体"_s, u"NSimSun"_s};
    return names;
}

const QStringList& latinNames() {
    static const QStringList names{u"Tahoma"_s, u"Arial"_s, u"MS Sans Serif"_s};
    return names;
}

}  // namespace

QString chineseFontFamily() {
    return u"WenQuanYi Micro Hei"_s;
}

QStringList fontSubstitutes(const QString& family) {
    // "sans-serif" is the font system's own alias of the default sans face.
    const QString sans = u"sans-serif"_s;
    if (chineseNames().contains(family, Qt::CaseInsensitive)) return {chineseFontFamily(), sans};
    if (latinNames().contains(family, Qt::CaseInsensitive)) return {sans, chineseFontFamily()};
    return {};
}

void installFontSubstitutions() {
    for (const QStringList* names : {&chineseNames(), &latinNames()}) {
        for (const QString& name : *names) {
            // A face the system really has under that name is kept.
            if (QFontDatabase::hasFamily(name)) continue;
            QFont::removeSubstitutions(name);
            QFont::insertSubstitutions(name, fontSubstitutes(name));
        }
    }
}

}  // namespace ov::platform
