#include "core/batchtransport.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cmath>
#include <ctime>
#include <set>

#include "core/datetime.h"
#include "taskfixtures.h"

using namespace Qt::StringLiterals;

namespace ov {
namespace {

using test::at;
using test::describe;
using test::fullUpload;

// The text a task is stored and sent as, byte for byte, whatever the locale says.
TEST(BatchTransportText, WritesEveryFieldInFixedFormats) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const QString text = BatchTransportToStr(fullUpload());
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(saved);

    const QString expected =
        u"[Id]123[/Id]\r\n[St]2[/St]\r\n[TranStyle]1[/TranStyle]\r\n[FF]2[/FF]\r\n"
        u"[DestOwnerId]7[/DestOwnerId]\r\n[DestFolderId]9000000000[/DestFolderId]\r\n"
        u"[DFN]项目\\文档[/DFN]\r\n[SourceOwnerId]0[/SourceOwnerId]\r\n"
        u"[SourceFolderId]0[/SourceFolderId]\r\n[SFN]/home/u/资料[/SFN]\r\n"
        u"[MinSize]1024[/MinSize]\r\n[MaxSize]1048576[/MaxSize]\r\n"
        u"[FileStartDate]2024-01-02 03:04:05[/FileStartDate]\r\n"
        u"[FileEndDate]2024-12-31 23:59:59[/FileEndDate]\r\n"
        u"[TaskStartTime]21:30:00[/TaskStartTime]\r\n[TaskCyc]24.00[/TaskCyc]\r\n"
        u"[MaxSize]1048576[/MaxSize]\r\n[SubFolder]-1[/SubFolder]\r\n"
        u"[RunStartTime]2024-06-01 08:00:00[/RunStartTime]\r\n"
        u"[RunEndTime]2024-06-01 09:15:30[/RunEndTime]\r\n"
        u"[Dc_Types][Count]2[/Count][Ty0]6582115[/Ty0]\r\n[Ty1]7365734[/Ty1]\r\n[/Dc_Types]\r\n"
        u"[FilePrtParams][Author]张三[/Author][/FilePrtParams]\r\n"
        u"[IncludeRootPath]0[/IncludeRootPath]\r\n"
        u"[KeepNewFileOfDownload]-1[/KeepNewFileOfDownload]\r\n[SC]3[/SC]\r\n"
        u"[ExtInfo][Remark]v2[/Remark][/ExtInfo]\r\n"_s;
    EXPECT_EQ(text, expected);
}

// The start time is the task's time of day as it stands, even where the local clock skips it.
TEST(BatchTransportText, StartTimeInADaylightSavingGapIsKept) {
    const QByteArray savedZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    ::tzset();
    TBatchTransport task = fullUpload();
    task.TaskStartTime = at("2024-03-31 02:30:00");
    const QString text = BatchTransportToStr(task);
    savedZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", savedZone);
    ::tzset();
    EXPECT_TRUE(text.contains(u"[TaskStartTime]02:30:00[/TaskStartTime]"_s)) << text.toStdString();
}

TEST(BatchTransportText, TasksReadBackFieldForField) {
    TBatchTransport download = fullUpload();
    download.TranStyle = TS_Download;
    download.DestOwnerId = 0;
    download.DestFolderId = 0;
    download.SourceOwnerId = -5;
    download.SourceFolderId = -9000000000;
    download.SourceFolderName = u"服务器\\目录\\"_s;
    download.DestFolderName = u"/home/u/下载/"_s;
    download.TaskCyc = -1;
    download.Types.clear();
    download.KeepClientNewFile = false;
    download.IsIncludeSubFolder = false;
    download.IncludeRootPath = true;
    download.St = ST_Deleted;

    TBatchTransport single = fullUpload();
    single.FF = FF_File;
    single.SourceFolderName = u"/home/u/报告.doc"_s;
    single.TaskCyc = 0.25;
    single.FilePrtParams.clear();
    single.ExtInfo.clear();

    struct Case {
        const char* name;
        TBatchTransport task;
        QString dest, source;  // the folder texts as read back
    };
    const Case cases[] = {
        {"periodic folder upload", fullUpload(), u"项目\\文档\\"_s, u"/home/u/资料/"_s},
        {"folder download", download, u"/home/u/下载/"_s, u"服务器\\目录\\"_s},
        {"single-file upload", single, u"项目\\文档\\"_s, u"/home/u/报告.doc"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBatchTransport read;
        read.IsGetSummary = c.task.IsGetSummary;  // not part of the text: kept by the reader
        StrToBatchTransport(BatchTransportToStr(c.task), read);
        TBatchTransport expected = c.task;
        expected.DestFolderName = c.dest;
        expected.SourceFolderName = c.source;
        EXPECT_EQ(describe(read), describe(expected));
        EXPECT_NEAR(read.TaskStartTime, c.task.TaskStartTime, 1e-9);
        EXPECT_EQ(read.TaskCyc, c.task.TaskCyc);
    }
}

TEST(BatchTransportText, ReadsTextsOfOtherInstallations) {
    // Lower-case tags, a 12-hour clock, a "," decimal point, words for booleans, a date
    // without time, types out of order with one missing, and a second MaxSize.
    const QString text =
        u"[id]9[/id][st]5[/st][tranStyle]2[/tranStyle][ff]1[/ff][SourceOwnerId]4[/SourceOwnerId]"
        u"[SourceFolderId]77[/SourceFolderId][SFN]报告\\年度.doc[/SFN][DFN]/home/u/下载[/DFN]"
        u"[TaskStartTime]9:05 PM[/TaskStartTime][TaskCyc]1,50[/TaskCyc]"
        u"[SubFolder]False[/SubFolder][IncludeRootPath]true[/IncludeRootPath]"
        u"[KeepNewFileOfDownload]0[/KeepNewFileOfDownload]"
        u"[Dc_Types][Count]3[/Count][Ty2]7365734[/Ty2][ty0] 6582115 [/ty0][/Dc_Types]"
        u"[FileStartDate]2023-03-04[/FileStartDate][FileEndDate]2023-03-05 10:11:12[/FileEndDate]"
        u"[RunStartTime]2023-03-06 01:02:03[/RunStartTime][RunEndTime]2023-03-07 "
        u"00:00:00[/RunEndTime]"
        u"[SC]4[/SC][MinSize]x[/MinSize][MaxSize]5000000000[/MaxSize][MaxSize]1[/MaxSize]"_s;
    TBatchTransport read;
    StrToBatchTransport(text, read);
    TBatchTransport expected;
    expected.Id = 9;
    expected.St = ST_Waiting;
    expected.TranStyle = TS_Download;
    expected.FF = FF_File;
    expected.SourceOwnerId = 4;
    expected.SourceFolderId = 77;
    expected.SourceFolderName = u"报告\\年度.doc"_s;
    expected.DestFolderName = u"/home/u/下载/"_s;
    expected.TaskStartTime = (21 * 60 + 5) / 1440.0;
    expected.TaskCyc = 1.5;
    expected.IncludeRootPath = true;
    expected.Types = {6582115, 0, 7365734};
    expected.FileStartDate = at("2023-03-04 00:00:00");
    expected.FileEndDate = at("2023-03-05 10:11:12");
    expected.RunStartTime = at("2023-03-06 01:02:03");
    expected.RunEndTime = at("2023-03-07 00:00:00");
    expected.SC = 4;
    expected.MaxSize = 5000000000;
    EXPECT_EQ(describe(read), describe(expected));
}

TEST(BatchTransportText, EmptyBlockTakesTheReadingDefaults) {
    TBatchTransport read;
    read.IsGetSummary = true;
    StrToBatchTransport(u"[Cond_7][/Cond_7]"_s, read);
    const TDateTime now = Now();
    const double second = 1.0 / 86400;
    EXPECT_EQ(read.Id, 0);
    EXPECT_EQ(read.St, ST_Completed);
    EXPECT_EQ(read.TaskCyc, -1);
    EXPECT_NEAR(read.FileStartDate, now, 2 * second);
    EXPECT_EQ(read.FileStartDate, read.FileEndDate);
    EXPECT_NEAR(read.TaskStartTime, now, 2 * second);
    EXPECT_NEAR(read.RunStartTime, now - 36500, 2 * second);
    EXPECT_NEAR(read.RunEndTime, now - 36500, 2 * second);
    EXPECT_TRUE(read.IsIncludeSubFolder);
    EXPECT_TRUE(read.KeepClientNewFile);
    EXPECT_FALSE(read.IncludeRootPath);
    EXPECT_TRUE(read.IsGetSummary);
    EXPECT_TRUE(read.Types.isEmpty());
    EXPECT_TRUE(read.SourceFolderName.isEmpty());
}

TEST(BatchTransportText, DamagedValuesAreBounded) {
    struct Case {
        const char* count;
        qsizetype size;
    };
    for (const Case& c : {Case{"-5", 0}, Case{"x", 0}, Case{"2000000000", 65536}}) {
        TBatchTransport read;
        StrToBatchTransport(u"[Dc_Types][Count]"_s + QString::fromLatin1(c.count) +
                                u"[/Count][Ty1]5[/Ty1][/Dc_Types]"_s,
                            read);
        EXPECT_EQ(read.Types.size(), c.size) << c.count;
    }
    // A period that is not a finite number would upset every schedule computed from it.
    for (const char* period : {"nan", "inf", "-inf"}) {
        TBatchTransport read;
        StrToBatchTransport(u"[TaskCyc]"_s + QString::fromLatin1(period) + u"[/TaskCyc]"_s, read);
        EXPECT_EQ(read.TaskCyc, -1) << period;
    }
}

TEST(BatchTransportInit, NewTasksTakeTheDefaultsAndUniqueIds) {
    TBatchTransport task;
    task.IsGetSummary = true;
    task.SC = 5;
    task.FilePrtParams = u"kept"_s;
    task.SourceFolderName = u"old"_s;
    InitBatchTransport(task);
    const TDateTime now = Now();
    const double second = 1.0 / 86400;
    EXPECT_GT(task.Id, 0);
    EXPECT_EQ(task.TranStyle, TS_Upload);
    EXPECT_EQ(task.FF, FF_Folder);
    EXPECT_EQ(task.St, ST_Init);
    EXPECT_TRUE(task.SourceFolderName.isEmpty());
    EXPECT_TRUE(task.IsIncludeSubFolder && task.KeepClientNewFile && task.IncludeRootPath);
    EXPECT_NEAR(task.FileStartDate - task.FileEndDate, 1, 1e-9);
    EXPECT_EQ(task.TaskCyc, -1);
    EXPECT_NEAR(task.TaskStartTime, now - std::floor(now), 2 * second);
    EXPECT_NEAR(task.RunStartTime, now + 1.0 / 24 + 10 * second, 2 * second);
    EXPECT_NEAR(task.RunEndTime, now - 36500, 2 * second);
    EXPECT_TRUE(task.IsGetSummary);
    EXPECT_EQ(task.SC, 5);
    EXPECT_EQ(task.FilePrtParams, u"kept"_s);

    // Many tasks within the same second all get ids of their own.
    std::set<std::int32_t> ids = {task.Id};
    for (int i = 0; i < 300; ++i) {
        InitBatchTransport(task);
        EXPECT_GT(task.Id, 0);
        EXPECT_TRUE(ids.insert(task.Id).second) << "id " << task.Id << " given twice";
    }
}

TEST(BatchTransportTexts, StateTexts) {
    struct Case {
        std::uint8_t state;
        THS_Language language;
        QString text;
    };
    const Case cases[] = {
        {4, HSL_ENG, u"Task completed"_s},    {6, HSL_CN, u"任务错误,无法继续"_s},
        {130, HSL_ENG, u"Processing data"_s},  // low seven bits
        {9, HSL_NONE, u"Deleted task"_s},     {7, HSL_CN, u"unchanged"_s},
    };
    for (const Case& c : cases) {
        QString text = u"unchanged"_s;
        GetTaskStateText(c.state, c.language, text);
        EXPECT_EQ(text, c.text) << int(c.state);
    }
}

TEST(BatchTransportTexts, Descriptions) {
    TBatchTransport single;
    single.FF = FF_File;
    single.TranStyle = TS_Download;
    single.SourceFolderName = u"报告.doc"_s;
    single.DestFolderName = u"/home/u/"_s;
    single.FileStartDate = 2;
    single.FileEndDate = 1;
    single.TaskCyc = -1;

    struct Case {
        TBatchTransport task;
        THS_Language language;
        QString text;
    };
    const Case cases[] = {
        {fullUpload(), HSL_ENG,
         u"-------- Bulk upload of folder files--------\r\n\r\nSource folder:/home/u/资料\r\n"
         u"Target file:项目\\文档\r\nFile time:2024-01-02 03:04:05 - 2024-12-31 23:59:59\r\n"
         u"File size:1K - 1024K\r\nFile type:*.doc, *.pdf\r\n\r\n"
         u"Run time:21:30:00, every 1440 minute(m) to operate task \r\nFinish time:\r\n"_s},
        {single, HSL_CN,
         u"-------------文件下载-------------\r\n\r\n源 文 件: 报告.doc\r\n目标文件: /home/u/\r\n"
         u"文件时间: 无设置\r\n文件大小: 无设置\r\n文件类型: \r\n运行时间: 无设置\r\n"_s},
        {single, HSL_NONE, u"\r\n\r\n报告.doc\r\n/home/u/\r\n\r\n\r\n\r\n\r\n"_s},
    };
    for (const Case& c : cases) {
        QString text = u"old"_s;
        GetTaskDescription(c.task, c.language, text);
        EXPECT_EQ(text, c.text);
    }

    // Minutes are rounded half to even.
    for (const auto& [hours, minutes] : {std::pair{0.125, "8"}, std::pair{0.375, "22"}}) {
        TBatchTransport task = fullUpload();
        task.TaskCyc = hours;
        QString text;
        GetTaskDescription(task, HSL_ENG, text);
        EXPECT_TRUE(text.contains(u", every "_s + QString::fromLatin1(minutes) + u" minute"_s))
            << text.toStdString();
    }
}

}  // namespace
}  // namespace ov
