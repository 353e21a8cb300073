#pragma once
// The pages of the capture window as bitmap files in a private folder of their own (mode 0700,
// under the program's temporary folder): each page has its file ("ovscan_0.bmp", ...) and the
// page as acquired beside it, so that a watermark or a turn can be undone. Everything is
// deleted with the store or by `Clear`.

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace ov {

class TPageStore {
public:
    TPageStore();
    ~TPageStore();

    bool IsValid() const;
    int Count() const { return m_count; }
    // Stores a new page; false when it could not be written.
    bool Add(const QImage& page);
    QImage Page(int index) const;
    QImage Original(int index) const;
    // Writes over the page's file (its original stays).
    bool Replace(int index, const QImage& page);
    QString FileName(int index) const;  // full path
    // Deletes every page file.
    void Clear();

private:
    QString OriginalName(int index) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    int m_count = 0;
};

}  // namespace ov
