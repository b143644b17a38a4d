#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>

class QWidget;

namespace zelvane {

enum class FileDialogMode { Open, Save };

// Turns a filter of the string table ("name(*.a;*.b)|*.a;*.b") into Qt's form
// ("name(*.a *.b)").
QString QtFilterEntry(const QString& tableFilter);
// QtFilterEntry followed by the entry for all files.
QString QtFileFilter(const QString& tableFilter);

// The open or save dialog every kind of file but the document shares. An initial name
// without a directory starts in the directory remembered under `directoryKey`; the chosen
// file's directory is remembered there. A name saved without an extension gets the first
// one of the filter. Returns the chosen path, or an empty string.
QString PromptFileName(FileDialogMode mode, const QString& initialName, std::uint32_t filterId,
                       const QString& directoryKey, QWidget* parent);
// The same dialog offering several kinds, each filter of the table an entry of its own in
// this order, then all files. A name saved without an extension gets the first one of the
// kind chosen in the dialog (under all files, of the first kind).
QString PromptFileName(FileDialogMode mode, const QString& initialName,
                       std::initializer_list<std::uint32_t> filterIds, const QString& directoryKey,
                       QWidget* parent);

// The document's own open and save-as prompt, remembering "DocumentDirectory"; a name saved
// without an extension gets the document's.
QString PromptDocumentFileName(FileDialogMode mode, const QString& initialName, QWidget* parent);

} // namespace zelvane
