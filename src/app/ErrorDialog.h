#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace zelvane {

// The lines of a DWI file that could not be read, each with its line number, shown once
// after an import.
class CErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CErrorDialog(const QString& errors, QWidget* parent = nullptr);
    QPlainTextEdit* errorList() const { return m_list; }

private:
    QPlainTextEdit* m_list;
};

} // namespace zelvane
