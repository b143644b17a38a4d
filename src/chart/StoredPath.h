#pragma once

#include <filesystem>
#include <string>

namespace zelvane {

// A song or model path as a document file stores it, made usable on this machine. A
// relative path is taken from the document's folder. A path that leads nowhere (the
// document came from another machine, or moved with its files) is looked for by its file
// name in the document's folder; "\" counts as a separator there, as documents written on
// other systems use it. When nothing is found the stored path comes back unchanged, so the
// user is asked about the file as it was named.
std::string ResolveStoredPath(const std::filesystem::path& documentPath, const std::string& stored);

} // namespace zelvane
