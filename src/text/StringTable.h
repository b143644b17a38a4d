#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvane {

// Identifiers of the program's own texts. The numbers are part of the program: name IDs of
// bones (500 to 552) are string-table IDs, and commands name themselves by these.
enum StringId : std::uint32_t {
    IDS_DOCUMENT_TEMPLATE = 128,
    IDS_CHANGE_LENGTH = 129,
    IDS_DELETE = 130,
    IDS_INSERT_ROWS = 131,
    IDS_MOVE = 132,
    IDS_ADD = 133,
    IDS_DWI_UNSUPPORTED_CHARACTER = 134,
    IDS_DWI_UNSUPPORTED_TAG = 135,
    IDS_DWI_LINE_PREFIX = 136,
    IDS_FILTER_DWI = 137,
    IDS_FILE_NOT_FOUND = 138,
    IDS_FILTER_MODEL = 139,
    IDS_FILTER_AVI = 140,
    IDS_AVI_PROGRESS = 141,
    IDS_AVI_CANNOT_CREATE = 142,
    IDS_DWI_REPLACE_CONFIRM = 143,
    IDS_SONG_SETTINGS = 144,
    IDS_MOTION_SETTINGS = 145,
    IDS_FILTER_MOTION = 146,
    IDS_DEFAULT_MODEL_NAME = 147,
    IDS_FILTER_AUDIO = 148,
    IDS_BONE_CENTER = 500,
    IDS_BONE_LEFT_LEG = 501,
    IDS_BONE_RIGHT_LEG = 502,
    IDS_BONE_UPPER_BODY = 504,
    IDS_BONE_LEFT_FOOT_IK = 507,
    IDS_BONE_RIGHT_FOOT_IK = 508,
    IDS_BONE_LEFT_KNEE = 509,
    IDS_BONE_RIGHT_KNEE = 527,
    IDS_BONE_NECK = 528,
    IDS_BONE_HEAD = 529,
    IDS_BONE_LOWER_BODY = 550,
    IDS_BONE_LEFT_TOE_IK = 551,
    IDS_BONE_RIGHT_TOE_IK = 552,
    IDS_UNDO = 900,
    IDS_REDO = 901,
    IDS_CUT = 902,
    IDS_PASTE = 903,
    IDS_APP_TITLE = 57344,
    IDS_IDLE_MESSAGE = 57345,
    IDS_ALL_FILES = 61442,
};

// The text of a string-table entry in UTF-8, or an empty view when there is none.
std::string_view LoadString(std::uint32_t id);
bool HasString(std::uint32_t id);

// Searches the table in ascending blocks of 16 IDs, each block from its first ID; within a
// block the first match counts, and a later block's match replaces an earlier one.
std::optional<std::uint32_t> FindStringId(std::string_view text);

// printf-style formatting of a table entry with "%d", "%s" and "%c" fields, in that order
// of the arguments given.
std::string FormatString(std::uint32_t id, std::initializer_list<std::string_view> args);

} // namespace zelvane
