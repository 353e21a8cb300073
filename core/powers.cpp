#include "core/powers.h"

#include <algorithm>
#include <vector>

#include "core/paths.h"
#include "core/split.h"
#include "core/tagtext.h"
#include "core/textfile.h"

namespace ov {

namespace {

// Written only by the start-up, before any other thread exists; read freely afterwards.
struct HelperLists {
    QStringList forbidPowers;
    std::vector<int> forbidNumbers;  // forbidPowers as numbers, for the permission checks
    TFilterKeywordArray filterKeywords;
};

HelperLists& lists() {
    static HelperLists instance;
    return instance;
}

// Longest replacement a keyword-filter line may give.
constexpr qsizetype kMaxReplacementLength = 64;

void setForbidPowers(QStringList entries) {
    HelperLists& all = lists();
    all.forbidNumbers.clear();
    for (const QString& entry : entries)
        all.forbidNumbers.push_back(TextToIntDef0(entry));
    all.forbidPowers = std::move(entries);
}

TFilterKeyword parseFilterLine(const QString& line) {
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0) return {line, QString()};
    return {TrimBlanks(line.left(comma)), TrimBlanks(line.mid(comma + 1, kMaxReplacementLength))};
}

TFilterKeywordArray parseFilterKeywords(const QString& text) {
    TFilterKeywordArray result;
    for (const QString& rawLine : SplitByString(text, QStringLiteral("\r\n"))) {
        const QString line = TrimBlanks(rawLine);
        if (!line.isEmpty()) result.append(parseFilterLine(line));
    }
    return result;
}

QString asFolder(const QString& folder) {
    QString result = folder;
    result.replace(u'\\', u'/');
    if (!result.isEmpty() && !result.endsWith(u'/')) result += u'/';
    return result;
}

}  // namespace

bool IsForbidPower(int power) {
    const std::vector<int>& numbers = lists().forbidNumbers;
    return std::find(numbers.begin(), numbers.end(), power) != numbers.end();
}

THS_MemberPowers ParseMemberPowers(const QString& text) {
    THS_MemberPowers powers;
    if (text.contains(QStringLiteral("v3"), Qt::CaseSensitive)) {
        // Positions 1 to 20 of the v3 form carry no permissions.
        const qsizetype last = std::min<qsizetype>(108, text.size());
        for (qsizetype i = 21; i <= last; ++i) {
            if (text.at(i - 1) == u'1' && !IsForbidPower(int(i))) powers.set(std::size_t(i));
        }
        return powers;
    }
    for (int i = 0; i <= 63; ++i) {
        const QString mark = QStringLiteral("[%1]Y[/%1]").arg(i);
        if (text.contains(mark, Qt::CaseSensitive) && !IsForbidPower(i)) powers.set(std::size_t(i));
    }
    return powers;
}

void LoadForbidPowers() {
    // Without an installation folder there is nothing to read; the current folder is not a
    // substitute for it.
    LoadForbidPowers(GetServerInstallPath());
}

void LoadForbidPowers(const QString& installFolder) {
    setForbidPowers({});
    if (installFolder.isEmpty()) return;
    try {
        const QString text =
            ReadTextFile(asFolder(installFolder) + QStringLiteral("cof_custom.sys"));
        setForbidPowers(SplitToStrArray(ReadTagValue(text, QStringLiteral("ForbidPower")), u','));
    } catch (...) {
        // An unreadable file leaves the list empty; start-up goes on.
    }
}

void LoadFilterKeywords() {
    LoadFilterKeywords(GetServerDataRoot());
}

void LoadFilterKeywords(const QString& dataRoot) {
    lists().filterKeywords.clear();
    if (dataRoot.isEmpty()) return;
    try {
        const QString text =
            ReadTextFile(asFolder(dataRoot) + QStringLiteral("DB/FilterKeyword.Txt"));
        lists().filterKeywords = parseFilterKeywords(text);
    } catch (...) {
        // An unreadable file leaves the list empty; start-up goes on.
    }
}

const QStringList& ForbidPowers() {
    return lists().forbidPowers;
}

const TFilterKeywordArray& FilterKeywords() {
    return lists().filterKeywords;
}

void InitHelperModule() {
    try {
        ClearServerPathCaches();
        LoadFilterKeywords();
        LoadForbidPowers();
    } catch (...) {
        // The start-up never fails; whatever could not be read stays empty.
    }
}

}  // namespace ov
