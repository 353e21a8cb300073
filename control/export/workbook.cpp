#include "control/export/workbook.h"

#include "platform/officeprocess.h"
#include "platform/officesuite.h"
#include "platform/officework.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace ov::control {

namespace {

constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;
constexpr qsizetype kMaxCellChars = 32767;

TWorkbookResult Failed(const QString& why) {
    return {TWorkbookStatus::Failed, why};
}

bool MoveNoReplace(const QString& from, const QString& to) {
    const QByteArray a = QFile::encodeName(from);
    const QByteArray b = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EXDEV) {  // another file system: copy (QFile::copy never replaces)
        const bool copied = QFile::copy(from, to);
        QFile::remove(from);
        return copied;
    }
    if (errno != EINVAL || QFileInfo::exists(to)) return false;
    return std::rename(a.constData(), b.constData()) == 0;
}

TWorkbookResult WriteXlsx(const QString& path, const QVector<QStringList>& rows,
                          const QVector<double>& widths) {
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    if (!book) return Failed(u"Cannot create "_s + path);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* text = workbook_add_format(book);
    format_set_num_format(text, "@");
    for (qsizetype c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    for (qsizetype r = 0; r < rows.size() && r < kMaxRows; ++r) {
        const QStringList& row = rows[r];
        for (qsizetype c = 0; c < row.size() && c < kMaxColumns; ++c) {
            if (row[c].isEmpty()) continue;
            const QByteArray cell = row[c].left(kMaxCellChars).toUtf8();
            worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), cell.constData(), text);
        }
    }
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        return Failed(u"Cannot write "_s + path + u": "_s + QString::fromUtf8(lxw_strerror(error)));
    return {TWorkbookStatus::Ok, {}};
}

TWorkbookResult ConvertToXls(const QString& program, const QString& xlsx, const QString& outDir,
                             const QString& workRoot, std::chrono::milliseconds limit) {
    platform::OfficeWorkFolder work(workRoot);
    if (!work.isValid()) return Failed(u"No private temporary folder can be made"_s);
    platform::OfficeProcess run;
    run.program = program;
    run.arguments = {u"--headless"_s,
                     u"--nologo"_s,
                     u"--norestore"_s,
                     u"--nolockcheck"_s,
                     u"-env:UserInstallation="_s + work.profileUrl(),
                     u"--convert-to"_s,
                     u"xls:MS Excel 97"_s,
                     u"--outdir"_s,
                     outDir,
                     QUrl::fromLocalFile(xlsx).toString(QUrl::FullyEncoded)};
    run.workFolder = work.path();
    run.profileUrls = {work.profileUrl()};
    run.timeLimit = limit;
    const platform::OfficeResult ran = platform::runOfficeProcess(run, {});
    if (!ran.ok()) return Failed(ran.message);
    return {TWorkbookStatus::Ok, {}};
}

}  // namespace

QVector<double> ColumnWidths(TExportKind kind) {
    switch (kind) {
        case TExportKind::FileList: return {80, 15, 18, 30, 18};
        case TExportKind::UploadLog: return {15, 15, 80, 15, 15, 80};
        case TExportKind::OtherLog: return {18, 15, 80, 30, 18};
        default: return {};
    }
}

QVector<QStringList> ParseTable(const QString& text) {
    QString all = text;
    all.replace(u"\r\n"_s, u"\n"_s);
    QStringList lines = all.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    QVector<QStringList> rows;
    rows.reserve(lines.size());
    for (const QString& line : std::as_const(lines))
        rows.append(line.split(u'\t'));
    return rows;
}

TOfficeProgram SystemOfficeProgram() {
    return [] {
        const auto office = platform::findOfficeSuite(platform::OfficeSuite::LibreOffice);
        return office && office->excel ? office->program : QString();
    };
}

TWorkbookResult WriteWorkbook(const QString& target, const QString& text,
                              const QVector<double>& widths, const TOfficeProgram& office,
                              std::chrono::milliseconds officeLimit) {
    const bool xls = QFileInfo(target).suffix() == u"xls"_s;
    QString program;
    if (xls) {
        program = office ? office() : QString();
        if (program.isEmpty()) return {TWorkbookStatus::NotInstalled, {}};
    }
    // Written in a private folder beside the target and moved into place when complete.
    auto work = std::make_unique<QTemporaryDir>(QFileInfo(target).absolutePath() +
                                                u"/.export-XXXXXX"_s);
    if (!work->isValid()) work = std::make_unique<QTemporaryDir>();
    if (!work->isValid()) return Failed(u"No temporary folder can be made"_s);
    const QString xlsx = work->filePath(u"book.xlsx"_s);
    TWorkbookResult written = WriteXlsx(xlsx, ParseTable(text), widths);
    if (written.Status != TWorkbookStatus::Ok) return written;
    QString made = xlsx;
    if (xls) {
        const QString out = work->filePath(u"out"_s);
        QDir().mkpath(out);
        written = ConvertToXls(program, xlsx, out, work->path(), officeLimit);
        if (written.Status != TWorkbookStatus::Ok) return written;
        made = out + u"/book.xls"_s;
        if (!QFileInfo(made).isFile()) return Failed(u"The office wrote no workbook"_s);
    }
    if (!MoveNoReplace(made, target)) return Failed(u"Cannot write "_s + target);
    return {TWorkbookStatus::Ok, {}};
}

}  // namespace ov::control
