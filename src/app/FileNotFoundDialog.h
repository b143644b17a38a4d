#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QPushButton;

namespace zelvane {

// Asks what to do about a song or model file that cannot be used: ignore it, or browse
// until a file is chosen. The caller reads `path()` afterwards.
class CFileNotFoundDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIgnore = 5; // the result of "無視(I)"

    CFileNotFoundDialog(const QString& message, const QString& path, std::uint32_t filterId,
                        const QString& directoryKey, QWidget* parent = nullptr);
    // The technical reason (a decoder's own words), on a line below the message.
    void SetDetail(const QString& detail);
    const QString& path() const { return m_path; }
    QPushButton* ignoreButton() const { return m_ignore; }
    QPushButton* browseButton() const { return m_browse; }

private:
    void Ignore();
    void Browse();

    QString m_path;
    std::uint32_t m_filterId;
    QString m_directoryKey;
    QLabel* m_detail;
    QPushButton* m_ignore;
    QPushButton* m_browse;
};

} // namespace zelvane
