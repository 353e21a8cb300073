#include "core/batchtransport.h"

#include <QHash>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>

#include "core/datetime.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Days that RunStartTime and RunEndTime lie in the past by default: "never ran".
constexpr double kNeverRanDays = 36500;

// The most file types a task text may declare; a larger count is cut to it, so that a damaged
// file cannot make the reader reserve unbounded memory.
constexpr qsizetype kMaxTaskTypes = 65536;

// The text is built in one buffer: a task file of thousands of tasks is written in one go,
// and a temporary string per line would cost more than the writing itself.
template <class Value>
void appendTagged(QString& text, QStringView tag, Value value) {
    text.append(u'[').append(tag).append(u']').append(value);
    text.append(u"[/").append(tag).append(u"]\r\n");
}

void appendNumber(QString& text, QStringView tag, qint64 value) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    appendTagged(text, tag, QLatin1String(digits, end - digits));
}

QStringView boolText(bool value) {
    return value ? u"-1" : u"0";
}

void appendTypes(QString& text, const TFileTypeArray& types) {
    text.append(u"[Dc_Types][Count]").append(QString::number(types.size())).append(u"[/Count]");
    for (qsizetype i = 0; i < types.size(); ++i) {
        const QString tag = u"Ty"_s + QString::number(i);
        appendNumber(text, tag, types.at(i));
    }
    text.append(u"[/Dc_Types]\r\n");
}

std::optional<qint64> toInt64(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

std::int32_t toInt32(const QString& text, std::int32_t def) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : def;
}

// Bytes keep the low eight bits of the number, as an assignment to a byte does.
std::uint8_t toByte(const QString& text, std::uint8_t def) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::uint8_t(value & 0xFF) : def;
}

// "0" is false, any other whole number true, and the words True and False in any case.
bool toBool(const QString& text, bool def) {
    if (const auto number = toInt64(text)) return *number != 0;
    if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0) return true;
    if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0) return false;
    return def;
}

// Takes "." or "," as the decimal point; anything else, or a value that is not finite, gives def.
double toHours(const QString& text, double def) {
    QString number = text;
    if (!number.contains(u'.')) number.replace(u',', u'.');
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : def;
}

// A time of day "H:MM[:SS[.zzz]]", 24-hour or with AM/PM (or 上午/下午) before or after it.
std::optional<TDateTime> toTimeOfDay(const QString& text) {
    static const QRegularExpression pattern(
        uR"(^(AM|PM|上午|下午)?\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:[.,](\d{1,3}))?)?\s*(AM|PM|上午|下午)?$)"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    int hour = m.captured(2).toInt();
    const int minute = m.captured(3).toInt(), second = m.captured(4).toInt();
    const int ms = m.captured(5).leftJustified(3, u'0').toInt();
    const QString half = (m.captured(1) + m.captured(6)).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12 || m.hasCaptured(1) == m.hasCaptured(6)) return std::nullopt;
        hour = hour % 12 + (half == u"PM"_s || half == u"下午"_s ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return (((hour * 60 + minute) * 60 + second) * 1000 + ms) / 86400000.0;
}

// The first "[TyN]...[/TyN]" pair of every index N, found in one pass over the text.
QHash<QString, QString> typeValues(const QString& text) {
    static const QRegularExpression open(uR"(\[Ty(\d+)\])"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    QHash<QString, QString> values;
    for (auto it = open.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (values.contains(m.captured(1))) continue;
        const QString close = u"[/Ty"_s + m.captured(1) + u']';
        const qsizetype end = text.indexOf(close, m.capturedEnd(), Qt::CaseInsensitive);
        values.insert(m.captured(1),
                      end < 0 ? QString() : text.mid(m.capturedEnd(), end - m.capturedEnd()));
    }
    return values;
}

TFileTypeArray readTypes(const QString& text) {
    const QString block = ReadTagValue(text, u"Dc_Types"_s);
    const qsizetype count =
        std::clamp<qsizetype>(toInt32(ReadTagValue(block, u"Count"_s), 0), 0, kMaxTaskTypes);
    const QHash<QString, QString> values = count ? typeValues(block) : QHash<QString, QString>();
    TFileTypeArray types(count);
    for (qsizetype i = 0; i < count; ++i)
        types[i] = toInt32(TrimBlanks(values.value(QString::number(i))), 0);
    return types;
}

// A folder text gets a separator at its end unless it has one: "/" for the task's local
// folder, "\" for its folder on the server, which keeps the server's form.
QString folderText(const QString& text, QChar separator) {
    if (text.isEmpty() || text.endsWith(u'/') || text.endsWith(u'\\')) return text;
    return text + separator;
}

}  // namespace

// Taken from the value's own fields, not through the local time zone: a local time that falls
// into a daylight-saving gap does not exist and would come out empty.
QString TimeOfDayToText(TDateTime value) {
    return DateTimeToText(value).mid(11);
}

QString BatchTransportToStr(const TBatchTransport& task) {
    QString text;
    text.reserve(1024 + task.DestFolderName.size() + task.SourceFolderName.size() +
                 task.FilePrtParams.size() + task.ExtInfo.size() + 32 * task.Types.size());
    const auto add = [&](QStringView tag, QStringView value) {
        appendTagged<QStringView>(text, tag, value);
    };
    const auto number = [&](QStringView tag, qint64 value) { appendNumber(text, tag, value); };
    number(u"Id", task.Id);
    number(u"St", task.St);
    number(u"TranStyle", task.TranStyle);
    number(u"FF", task.FF);
    number(u"DestOwnerId", task.DestOwnerId);
    number(u"DestFolderId", task.DestFolderId);
    add(u"DFN", task.DestFolderName);
    number(u"SourceOwnerId", task.SourceOwnerId);
    number(u"SourceFolderId", task.SourceFolderId);
    add(u"SFN", task.SourceFolderName);
    number(u"MinSize", task.MinSize);
    number(u"MaxSize", task.MaxSize);
    add(u"FileStartDate", DateTimeToText(task.FileStartDate));
    add(u"FileEndDate", DateTimeToText(task.FileEndDate));
    add(u"TaskStartTime", TimeOfDayToText(task.TaskStartTime));
    add(u"TaskCyc", QString::number(task.TaskCyc, 'f', 2));
    number(u"MaxSize", task.MaxSize);  // written twice; readers take the first
    add(u"SubFolder", boolText(task.IsIncludeSubFolder));
    add(u"RunStartTime", DateTimeToText(task.RunStartTime));
    add(u"RunEndTime", DateTimeToText(task.RunEndTime));
    appendTypes(text, task.Types);
    add(u"FilePrtParams", task.FilePrtParams);
    add(u"IncludeRootPath", boolText(task.IncludeRootPath));
    add(u"KeepNewFileOfDownload", boolText(task.KeepClientNewFile));
    number(u"SC", task.SC);
    add(u"ExtInfo", task.ExtInfo);
    return text;
}

void StrToBatchTransport(const QString& text, TBatchTransport& task) {
    const auto value = [&](const QString& tag) { return ReadTagValue(text, tag); };
    const auto int64 = [&](const QString& tag) { return toInt64(value(tag)).value_or(0); };
    const TDateTime now = Now();
    task.Id = toInt32(value(u"Id"_s), 0);
    task.St = TTaskState(toByte(value(u"St"_s), ST_Completed));
    task.TranStyle = TTranStyle(toByte(value(u"TranStyle"_s), 0));
    task.FF = TFolderOrFile(toByte(value(u"FF"_s), 0));
    task.DestOwnerId = toInt32(value(u"DestOwnerId"_s), 0);
    task.DestFolderId = int64(u"DestFolderId"_s);
    task.SourceOwnerId = toInt32(value(u"SourceOwnerId"_s), 0);
    task.SourceFolderId = int64(u"SourceFolderId"_s);
    const bool download = task.TranStyle == TS_Download;
    task.DestFolderName = folderText(value(u"DFN"_s), download ? u'/' : u'\\');
    // The source of a single-file task names a file, which must not turn into a folder.
    const QString source = value(u"SFN"_s);
    task.SourceFolderName =
        task.FF == FF_File ? source : folderText(source, download ? u'\\' : u'/');
    task.MinSize = int64(u"MinSize"_s);
    task.MaxSize = int64(u"MaxSize"_s);
    task.FileStartDate = TextToDateTimeDef(value(u"FileStartDate"_s), now);
    task.FileEndDate = TextToDateTimeDef(value(u"FileEndDate"_s), now);
    task.TaskStartTime = toTimeOfDay(value(u"TaskStartTime"_s)).value_or(now);
    task.TaskCyc = toHours(value(u"TaskCyc"_s), -1);
    task.IsIncludeSubFolder = toBool(value(u"SubFolder"_s), true);
    task.RunStartTime = TextToDateTimeDef(value(u"RunStartTime"_s), now - kNeverRanDays);
    task.RunEndTime = TextToDateTimeDef(value(u"RunEndTime"_s), now - kNeverRanDays);
    task.Types = readTypes(text);
    task.FilePrtParams = value(u"FilePrtParams"_s);
    task.IncludeRootPath = toBool(value(u"IncludeRootPath"_s), false);
    task.KeepClientNewFile = toBool(value(u"KeepNewFileOfDownload"_s), true);
    task.SC = toByte(value(u"SC"_s), 0);
    task.ExtInfo = value(u"ExtInfo"_s);
}

}  // namespace ov
