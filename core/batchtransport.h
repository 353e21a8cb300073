#pragma once
// A batch transfer task as text: one tagged line per field, the form kept in the task file and
// sent to the server when a download task asks for its file list. Times and numbers use fixed
// formats ("-" and ":" separators, 24-hour clock, "." as the decimal point) whatever the
// locale; the reader also takes a "," decimal point and a 12-hour clock with AM/PM, as other
// installations may have written them.

#include <QString>
#include <cstdint>

#include "core/types.h"

namespace ov {

// Fills a new task with the defaults of a one-off folder upload and gives it a new id.
// IsGetSummary, FilePrtParams and SC are left as the record holds them.
void InitBatchTransport(TBatchTransport& task);

// A task id that no other task of this process has (nor any id passed to ReserveBatchTaskId):
// the hash of the current second, moved on to the next free positive number when taken.
std::int32_t NewBatchTaskId();
// Marks an id as taken, so that NewBatchTaskId never hands it out (ids of stored tasks).
void ReserveBatchTaskId(std::int32_t id);

// The task's text form: 26 tagged lines, each ending in CR LF.
QString BatchTransportToStr(const TBatchTransport& task);
// Reads a task from its text form; missing or unreadable values take the reading defaults.
// IsGetSummary keeps what the record held.
void StrToBatchTransport(const QString& text, TBatchTransport& task);

// The text of a task state (taken modulo 128): Chinese for HSL_CN, English otherwise. States
// without a text leave `text` as it was.
void GetTaskStateText(std::uint8_t st, THS_Language language, QString& text);
// The description of a task in several lines, each followed by CR LF. Labels are Chinese for
// HSL_CN, English for HSL_ENG and empty for any other language.
void GetTaskDescription(const TBatchTransport& task, THS_Language language, QString& text);

// The time of day of a date-time as "HH:MM:SS" (24-hour clock).
QString TimeOfDayToText(TDateTime value);

}  // namespace ov
