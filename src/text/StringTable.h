#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The desktop program's own messages and labels, beyond the IDs above. They sit in a range of
// their own: far above the small IDs that names of bones and morphs outside the table are given
// at run time (an ID shared with such a name would give the name this text), and in no block
// of the IDs above, so adding one never changes what a name or a text maps to. The range is
// contiguous: every ID from the first to the last has a text.
enum ProgramStringId : std::uint32_t {
    IDS_PROGRAM_FIRST = 0xA000,
    // What failed, by the kind of the core's error.
    IDS_ERROR_CHART_LIMIT = IDS_PROGRAM_FIRST,
    IDS_ERROR_INVALID_ARGUMENT,
    IDS_ERROR_END_OF_FILE,
    IDS_ERROR_FILE_FORMAT,
    IDS_ERROR_FILE_ACCESS,
    IDS_ERROR_MEDIA,
    IDS_ERROR_WORKER,
    IDS_ERROR_OUT_OF_MEMORY,
    IDS_ERROR_UNEXPECTED,
    // What the user tried when it failed.
    IDS_CANNOT_OPEN,
    IDS_CANNOT_READ,
    IDS_CANNOT_WRITE,
    IDS_CANNOT_SAVE,
    IDS_CANNOT_LOAD_MODEL,
    IDS_CANNOT_USE_FILE,
    IDS_CANNOT_CHANGE_SONG,
    IDS_CANNOT_CHANGE_MOTION_OPTIONS,
    IDS_CANNOT_RESTORE,
    IDS_EDIT_REFUSED,
    // Questions and notices.
    IDS_SAVE_CHANGES_QUESTION,
    IDS_RECOVERY_QUESTION,
    IDS_NO_AUDIO_OUTPUT,
    IDS_NUMBER_REQUIRED,
    IDS_GL_OFFSCREEN,
    IDS_GL_NO_CONTEXT,
    IDS_GL_VERSION_TOO_LOW,
    IDS_GL_CONTEXT_UNUSABLE,
    IDS_GL_NO_CORE_CONTEXT,
    IDS_GL_NO_SHADERS,
    // Labels of buttons, windows and fields.
    IDS_UNTITLED,
    IDS_TOOLBAR,
    IDS_BUTTON_CANCEL,
    IDS_BUTTON_YES,
    IDS_BUTTON_NO,
    IDS_BUTTON_RESTORE,
    IDS_BUTTON_DISCARD,
    IDS_BUTTON_ABORT,
    IDS_BUTTON_IGNORE,
    IDS_BUTTON_BROWSE,
    IDS_ERROR_TITLE,
    IDS_ERROR_LIST_LEAD,
    IDS_AVI_WAIT_TITLE,
    IDS_AVI_CODEC_TITLE,
    IDS_AVI_UNCOMPRESSED,
    IDS_AVI_LOSSLESS,
    IDS_AVI_LOSSY,
    IDS_AVI_DEFAULT,
    IDS_AVI_KEY_FRAME_SUFFIX,
    IDS_AVI_NO_DATA_RATE,
    IDS_AVI_CODEC_LABEL,
    IDS_AVI_QUALITY_LABEL,
    IDS_AVI_KEY_FRAME_LABEL,
    IDS_AVI_DATA_RATE_LABEL,
    IDS_FILE_DIALOG_OPEN_TITLE,
    IDS_FILE_DIALOG_SAVE_TITLE,
    IDS_FILE_DIALOG_OPEN,
    IDS_FILE_DIALOG_SAVE,
    IDS_FILE_DIALOG_LOOK_IN,
    IDS_FILE_DIALOG_FILE_NAME,
    IDS_FILE_DIALOG_FILE_TYPE,
    IDS_SCORE_BAR_MODE,
    IDS_SCORE_BAR_LEVEL,
    IDS_PLAYER_DIALOG_TITLE,
    IDS_PLAYER_GROUP,
    IDS_SONG_TITLE_LABEL,
    IDS_SONG_ARTIST_LABEL,
    IDS_SONG_GAP_LABEL,
    IDS_ABOUT_TITLE,
    // Limits of the song settings, and a file imported as a chart that is none.
    IDS_DWI_NOT_DWI,
    IDS_SONG_BPM_RANGE,
    IDS_SONG_GAP_RANGE,
    IDS_PROGRAM_END, // one past the last
};

// The text of a string-table entry in UTF-8, or an empty view when there is none.
std::string_view LoadString(std::uint32_t id);
bool HasString(std::uint32_t id);
// Every ID the table holds, ascending.
std::vector<std::uint32_t> StringIds();

// Searches the table in ascending blocks of 16 IDs, each block from its first ID; within a
// block the first match counts, and a later block's match replaces an earlier one.
std::optional<std::uint32_t> FindStringId(std::string_view text);

// printf-style formatting of a table entry with "%d", "%s" and "%c" fields, in that order
// of the arguments given.
std::string FormatString(std::uint32_t id, std::initializer_list<std::string_view> args);

} // namespace zelvane
