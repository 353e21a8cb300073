// The comparison's sort and match over two item lists.

#include "documents/versions/diffmatch.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace ov {
namespace {

constexpr double Second = 1.0 / 86400;

TFileItem File(const QString& name, double time = 100.0) {
    return {0, name, {}, time, false};
}
TFileItem Folder(const QString& name) {
    return {0, name, {}, 100.0, true};
}

// Each row as "server|local|state" ("-" for a blank side).
QStringList Rows(TFileItemArray server, TFileItemArray local) {
    SortItems(server);
    SortItems(local);
    QStringList rows;
    for (const TDiffRow& row : MatchItems(server, local))
        rows.append((row.Server ? row.Server->Name : u"-"_s) + u'|' +
                    (row.Local ? row.Local->Name : u"-"_s) + u'|' +
                    QString::number(int(row.State)));
    return rows;
}

}  // namespace

TEST(DiffMatch, Table) {
    const struct {
        const char* what;
        TFileItemArray server, local;
        QStringList rows;
    } cases[] = {
        {"names meet ignoring case",
         {File(u"Report.DOC"_s)},
         {File(u"report.doc"_s)},
         {u"Report.DOC|report.doc|0"_s}},
        {"a local folder and a server file of one name are two rows, folder first",
         {File(u"data"_s)},
         {Folder(u"data"_s)},
         {u"-|data|2"_s, u"data|-|1"_s}},
        {"1.5 seconds apart is the same, 2.5 seconds is newer on either side",
         {File(u"a"_s, 100 + 1.5 * Second), File(u"b"_s, 100 + 2.5 * Second), File(u"c"_s, 100)},
         {File(u"a"_s), File(u"b"_s), File(u"c"_s, 100 + 2.5 * Second)},
         {u"a|a|0"_s, u"b|b|3"_s, u"c|c|4"_s}},
        {"one level down '..' is the first row on both sides",
         {File(u"-x"_s), Folder(u"!f"_s), Folder(u".."_s)},
         {Folder(u".."_s), File(u"-x"_s)},
         {u"..|..|0"_s, u"!f|-|1"_s, u"-x|-x|0"_s}},
        {"one-sided items in order",
         {File(u"b"_s), File(u"d"_s)},
         {File(u"a"_s), File(u"c"_s), File(u"e"_s)},
         {u"-|a|2"_s, u"b|-|1"_s, u"-|c|2"_s, u"d|-|1"_s, u"-|e|2"_s}},
        {"two local names differing only in case: the exact spelling is the partner",
         {File(u"report.doc"_s)},
         {File(u"report.doc"_s), File(u"Report.doc"_s)},
         {u"report.doc|report.doc|0"_s, u"-|Report.doc|2"_s}},
        {"without an exact spelling, the first in code-unit order",
         {File(u"REPORT.doc"_s)},
         {File(u"report.doc"_s), File(u"Report.doc"_s)},
         {u"REPORT.doc|Report.doc|0"_s, u"-|report.doc|2"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.server, c.local), c.rows) << c.what;
}

TEST(DiffMatch, SortPutsFoldersFirstAndIgnoresCase) {
    TFileItemArray items{File(u"b"_s), Folder(u"Z"_s), File(u"A"_s), Folder(u"a"_s),
                         Folder(u".."_s)};
    SortItems(items);
    QStringList names;
    for (const TFileItem& item : items)
        names.append(item.Name);
    EXPECT_EQ(names, (QStringList{u".."_s, u"a"_s, u"Z"_s, u"A"_s, u"b"_s}));
}

}  // namespace ov
