#include "core/fileversion.h"

#include "platform/sysinfo.h"

namespace ov {

namespace {

constexpr qsizetype kMaxLanguageNameLength = 50;

// Fills "%d" conversions in order; the format comes from callers and is never handed to printf.
QString fillNumbers(const QString& format, const std::array<int, 4>& numbers) {
    QString result;
    std::size_t next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const bool percent = format.at(i) == u'%' && i + 1 < format.size();
        if (percent && format.at(i + 1) == u'd' && next < numbers.size()) {
            result += QString::number(numbers[next++]);
            ++i;
        } else if (percent && format.at(i + 1) == u'%') {
            result += u'%';
            ++i;
        } else {
            result += format.at(i);
        }
    }
    return result;
}

}  // namespace

QString GetFileVersionText(const QString& fileName, const QString& format) {
    const auto version = platform::fileVersion(fileName);
    return version ? fillNumbers(format, *version) : QString();
}

QString GetSystemLanguageName() {
    return platform::systemLanguageName().left(kMaxLanguageNameLength);
}

}  // namespace ov
