#pragma once
// Enumerations and records that travel between the subsystems. Each enumeration is stored in
// one byte; where it travels as text or as a number, its ordinal is used.

#include <QString>
#include <QVector>
#include <cstdint>

namespace ov {

// A date and time: days since 1899-12-30 (local time) with the time of day as the fraction.
using TDateTime = double;

// Interface language; 0 means not decided yet. 1 is English and 2 is Chinese wherever the
// language travels as a number.
enum THS_Language : std::uint8_t { HSL_NONE = 0, HSL_ENG = 1, HSL_CN = 2 };

// How OvClient was started: normally, or with a login handed over by the control.
enum TStartStyle : std::uint8_t { SS_NONE = 0, SS_ACTIVTX = 1, MODEL_EXE = 2 };

// Direction of a batch transfer task.
enum TTranStyle : std::uint8_t {
    TS_Default = 0,
    TS_Upload = 1,
    TS_Download = 2,
    TS_DataImport = 3
};

// Whether a batch task's source is one file or a folder.
enum TFolderOrFile : std::uint8_t { FF_File = 1, FF_Folder = 2 };

// State of a batch task (7 and 8 have no meaning).
enum TTaskState : std::uint8_t {
    ST_Unknown = 0,
    ST_Init = 1,
    ST_Running = 2,
    ST_Paused = 3,
    ST_Completed = 4,
    ST_Waiting = 5,
    ST_Error = 6,
    ST_Deleted = 9
};

// Processing state of one file of a batch task: 1 to 4 count the attempts made so far.
enum TDealState : std::uint8_t { DL_New = 0, DL_GiveUp = 5, DL_Removed = 99, DL_Done = 100 };

}  // namespace ov
