#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace zelvane {

enum class FileDialogMode { Open, Save };

// Turns a filter of the string table ("name(*.a;*.b)|*.a;*.b") into Qt's form
// ("name(*.a *.b)"), followed by the entry for all files.
QString QtFileFilter(const QString& tableFilter);

// The open or save dialog every kind of file but the document shares. An initial name
// without a directory starts in the directory remembered under `directoryKey`; the chosen
// file's directory is remembered there. A name saved without an extension gets the first
// one of the filter. Returns the chosen path, or an empty string.
QString PromptFileName(FileDialogMode mode, const QString& initialName, std::uint32_t filterId,
                       const QString& directoryKey, QWidget* parent);

// The document's own open and save-as prompt, remembering "DocumentDirectory"; a name saved
// without an extension gets the document's.
QString PromptDocumentFileName(FileDialogMode mode, const QString& initialName, QWidget* parent);

} // namespace zelvane
