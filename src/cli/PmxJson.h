#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace zelvane {

struct PmxFile;

// What `zelvane-cli info FILE.pmx --json` prints: the fields of the PMD output with the same
// names and meanings, and what only PMX has (format, text encoding, weight kinds, bone flags,
// inheritance and fixed axes, IK link limits, material flags, edges, sphere modes and toons,
// morph panels and offsets). Values as the file stores them: left-handed, radians. Paths are
// `modelFolder` (ending with a separator) joined with the file's names, "" for none.
nlohmann::json PmxToJson(const PmxFile& file, const std::string& modelFolder);

// The "format" and "encoding" values of that output, for the plain listing, which has no
// need to build the rest.
const char* PmxFormatName(const PmxFile& file);
const char* PmxEncodingName(const PmxFile& file);

} // namespace zelvane
