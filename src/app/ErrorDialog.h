#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace zelvane {

// What an import could not read or left out, shown once after it: the lines of a DWI file,
// each with its line number, or the warnings of a StepMania file.
class CErrorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CErrorDialog(const QString& errors, QWidget* parent = nullptr);
    QPlainTextEdit* errorList() const { return m_list; }

private:
    QPlainTextEdit* m_list;
};

} // namespace zelvane
