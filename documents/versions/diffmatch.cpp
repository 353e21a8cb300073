#include "documents/versions/diffmatch.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool isUp(const TFileItem& item) {
    return item.IsFolder && item.Name == u".."_s;
}

// -1, 0, 1: the one comparison of sorting and matching (exact spelling not included).
int compareKind(const TFileItem& a, const TFileItem& b) {
    if (isUp(a) != isUp(b)) return isUp(a) ? -1 : 1;
    if (a.IsFolder != b.IsFolder) return a.IsFolder ? -1 : 1;
    const int byName = a.Name.compare(b.Name, Qt::CaseInsensitive);
    return byName < 0 ? -1 : byName > 0 ? 1 : 0;
}

// The items from `from` on that compare equal to items[from].
qsizetype runEnd(const TFileItemArray& items, qsizetype from) {
    qsizetype end = from + 1;
    while (end < items.size() && compareKind(items[from], items[end]) == 0)
        ++end;
    return end;
}

TDiffRow matched(const TFileItem& s, const TFileItem& l) {
    return {s, l, CompareTimes(s.ModifyTime, l.ModifyTime)};
}

// One group of names equal ignoring case on both sides: exact spellings pair first, then the
// rest in order; what is left stands alone.
void matchGroup(const TFileItemArray& server, qsizetype s0, qsizetype s1,
                const TFileItemArray& local, qsizetype l0, qsizetype l1, QVector<TDiffRow>& rows) {
    QVector<bool> usedLocal(l1 - l0, false);
    QVector<qsizetype> partner(s1 - s0, -1);
    for (qsizetype s = s0; s < s1; ++s)
        for (qsizetype l = l0; l < l1; ++l)
            if (!usedLocal[l - l0] && server[s].Name == local[l].Name) {
                partner[s - s0] = l;
                usedLocal[l - l0] = true;
                break;
            }
    for (qsizetype s = s0; s < s1; ++s)
        for (qsizetype l = l0; l < l1 && partner[s - s0] < 0; ++l)
            if (!usedLocal[l - l0]) {
                partner[s - s0] = l;
                usedLocal[l - l0] = true;
            }
    for (qsizetype s = s0; s < s1; ++s)
        rows.append(partner[s - s0] < 0 ? TDiffRow{server[s], std::nullopt, DS_ServerOnly}
                                        : matched(server[s], local[partner[s - s0]]));
    for (qsizetype l = l0; l < l1; ++l)
        if (!usedLocal[l - l0]) rows.append({std::nullopt, local[l], DS_LocalOnly});
}

}  // namespace

bool ItemLess(const TFileItem& a, const TFileItem& b) {
    const int kind = compareKind(a, b);
    return kind != 0 ? kind < 0 : a.Name < b.Name;
}

void SortItems(TFileItemArray& items) {
    std::stable_sort(items.begin(), items.end(), ItemLess);
}

TDiffState CompareTimes(TDateTime server, TDateTime local) {
    const double d = server - local;
    if (d > DiffTimeThreshold) return DS_ServerNewer;
    if (d < -DiffTimeThreshold) return DS_LocalNewer;
    return DS_Same;
}

QVector<TDiffRow> MatchItems(const TFileItemArray& server, const TFileItemArray& local) {
    QVector<TDiffRow> rows;
    qsizetype s = 0, l = 0;
    while (s < server.size() || l < local.size()) {
        const int order = s >= server.size()  ? 1
                          : l >= local.size() ? -1
                                              : compareKind(server[s], local[l]);
        if (order < 0) {
            rows.append({server[s++], std::nullopt, DS_ServerOnly});
        } else if (order > 0) {
            rows.append({std::nullopt, local[l++], DS_LocalOnly});
        } else {
            const qsizetype s1 = runEnd(server, s), l1 = runEnd(local, l);
            matchGroup(server, s, s1, local, l, l1, rows);
            s = s1;
            l = l1;
        }
    }
    return rows;
}

}  // namespace ov
