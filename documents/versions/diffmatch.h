#pragma once
// The comparison of a server folder with a local folder, as pure functions: both item lists are
// sorted (folders first, then by name ignoring letter case) and walked side by side with the
// same comparison, giving one row per name with the state of the pair.
//
// Names that differ only in letter case: the server's names meet local names ignoring case. A
// local folder may hold two names that differ only in case ("Report.doc" and "report.doc");
// then a server name meets the local name of exactly its spelling when there is one, else the
// first of them (in code-unit order), and the other one stands as a local-only row.

#include "core/types.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <optional>

namespace ov {

struct TFileItem {
    std::int64_t Id = 0;  // server side: file or folder id; local side: 0
    QString Name;
    QString CheckOutUser;  // server side: who has the file checked out
    TDateTime ModifyTime = 0;
    bool IsFolder = false;
};
using TFileItemArray = QVector<TFileItem>;

enum TDiffState : int {
    DS_Same = 0,         // black
    DS_ServerOnly = 1,   // red
    DS_LocalOnly = 2,    // green
    DS_ServerNewer = 3,  // blue
    DS_LocalNewer = 4    // fuchsia
};

struct TDiffRow {
    std::optional<TFileItem> Server;  // none: a blank row on the server side
    std::optional<TFileItem> Local;
    TDiffState State = DS_Same;
};

// More than this (2 seconds, in days) apart, two times differ.
constexpr double DiffTimeThreshold = 2.31481481481482e-5;

// Orders two items: ".." first, folders before files, names ignoring case, then exact spelling.
bool ItemLess(const TFileItem& a, const TFileItem& b);
void SortItems(TFileItemArray& items);

// The rows of two sorted lists.
QVector<TDiffRow> MatchItems(const TFileItemArray& server, const TFileItemArray& local);

// The state of a matched pair from the two times.
TDiffState CompareTimes(TDateTime server, TDateTime local);

}  // namespace ov
