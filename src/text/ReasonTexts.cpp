#include "text/ReasonTexts.h"

#include "text/StringTable.h"

#include <algorithm>
#include <iterator>

namespace zelvane {
namespace {

struct EnglishReason {
    std::uint32_t id;
    std::string_view format;
};

// The reasons in English: what the command-line tool prints and the exceptions' what().
// Each takes the fields of its Japanese entry in the string table, in the same order.
constexpr EnglishReason kReasons[] = {
    {IDS_REASON_DATA_ENDS, "the data ends before it is complete"},
    {IDS_REASON_RECORDS_MISSING, "the data ends before the records it counts"},
    {IDS_REASON_NO_TEXT_CONVERSION, "text conversion not available: %s to %s"},
    {IDS_REASON_CANNOT_WRITE, "cannot write \"%s\": %s"},
    {IDS_REASON_WRITE_NAMES_NO_FILE, "cannot write \"%s\": it names no file"},
    {IDS_REASON_WRITE_TARGET_IS_FOLDER, "cannot write \"%s\": it is a folder"},
    {IDS_REASON_WRITE_TARGET_NOT_FILE, "cannot write \"%s\": it is not a file"},
    {IDS_REASON_CANNOT_CREATE_BESIDE, "cannot create a file beside \"%s\": %s"},
    {IDS_REASON_CANNOT_KEEP_PERMISSIONS, "cannot keep the permissions of \"%s\": %s"},
    {IDS_REASON_CANNOT_REPLACE, "cannot replace \"%s\": %s"},
    {IDS_REASON_CANNOT_FLUSH_FOLDER, "cannot flush the folder of \"%s\": %s"},
    {IDS_REASON_PMD_TOO_SHORT, "not a PMD model: the file is shorter than a model's header"},
    {IDS_REASON_PMD_CUT_SHORT, "the model file is cut short inside its %s"},
    {IDS_REASON_PMD_HEADER, "header"},
    {IDS_REASON_PMD_VERTICES, "vertices"},
    {IDS_REASON_PMD_FACE_INDICES, "face indices"},
    {IDS_REASON_PMD_MATERIALS, "materials"},
    {IDS_REASON_PMD_BONES, "bones"},
    {IDS_REASON_PMD_IK_CHAINS, "IK chains"},
    {IDS_REASON_PMD_MORPHS, "morphs"},
    {IDS_REASON_PMD_MORPH_DISPLAY_LIST, "morph display list"},
    {IDS_REASON_PMD_BONE_GROUPS, "bone groups"},
    {IDS_REASON_PMD_BONE_DISPLAY_LIST, "bone display list"},
    {IDS_REASON_PMD_ENGLISH_NAMES, "English names"},
    {IDS_REASON_PMD_TOON_NAMES, "toon names"},
    {IDS_REASON_PMD_RIGID_BODIES, "rigid bodies"},
    {IDS_REASON_PMD_JOINTS, "joints"},
    {IDS_REASON_MORPH_OUTSIDE_BASE, "a morph names a vertex outside the base morph"},
    {IDS_REASON_DISPLAY_BONE_MISSING, "a bone display entry names a bone that does not exist"},
    {IDS_REASON_DISPLAY_GROUP_MISSING, "a bone display entry names a group that does not exist"},
    {IDS_REASON_BONE_PARENT_MISSING, "a bone's parent does not exist"},
    {IDS_REASON_BONE_PARENT_LOOP, "the bone parents form a loop"},
    {IDS_REASON_IK_BONE_MISSING, "an IK chain names a bone that does not exist"},
    {IDS_REASON_VERTEX_BONE_MISSING, "a vertex follows a bone that does not exist"},
    {IDS_REASON_MORPH_VERTEX_MISSING, "a morph moves a vertex that does not exist"},
    {IDS_REASON_VMD_TOO_MANY_KEYS, "too many keys for a VMD file"},
    {IDS_REASON_DANCE_KEEPS_TOO_MANY, "a dance request keeps %d notes of %d"},
    {IDS_REASON_DANCE_NOT_STARTED, "the dance could not be started"},
    {IDS_REASON_DANCE_NO_MEMORY_FOR_NOTES, "there was no memory for a copy of the notes"},
    {IDS_REASON_DANCE_UNKNOWN_ERROR, "the dance stopped on an unknown error"},
    {IDS_REASON_DANCE_OF_CHART_FAILED, "the dance of the %s chart failed: %s"},
    {IDS_REASON_DANCE_OF_CHART_STOPPED, "the dance of the %s chart failed"},
    {IDS_REASON_DANCE_FAILED, "the dance failed"},
    {IDS_REASON_ZLVM_UNKNOWN_STYLE, "the file holds a score of an unknown style (%d)"},
    {IDS_REASON_ZLVM_UNKNOWN_VERSION, "not a Zelvane document of a known version"},
    {IDS_REASON_ZLVM_BAD_TEMPO, "the document's tempo is not a number above 0"},
    {IDS_REASON_ZLVM_TOO_MANY_SCORES, "a document file holds at most 65535 scores"},
    {IDS_REASON_ZLVM_TOO_MANY_NOTES,
     "a score of %d notes is more than a document file can hold (65535)"},
    {IDS_REASON_TEMPO_NOT_POSITIVE, "the tempo must be a number above 0"},
    {IDS_REASON_SCORE_NOT_IN_DOCUMENT, "the score is not in this document"},
    {IDS_REASON_CLIPBOARD_NEGATIVE_COUNT, "clipboard data with a negative note count"},
    {IDS_REASON_CLIPBOARD_NEGATIVE_CLOCK, "clipboard data with a negative clock or length"},
    {IDS_REASON_NOTE_INDEX_OUT_OF_RANGE, "note index out of range"},
    {IDS_REASON_NOTE_NOT_IN_SCORE, "the note is not in this score"},
    {IDS_REASON_NOTE_TO_TAKE_OUT_MISSING, "a note to take out is not in this score"},
    {IDS_REASON_NOTE_NAMED_TWICE, "a note is named twice among the notes to take out"},
    {IDS_REASON_PANEL_NOT_IN_STYLE, "panel %d is not one of the %s chart's"},
    {IDS_REASON_INSERT_NEGATIVE, "rows are inserted at a clock of 0 or more, 0 or more clocks"},
    {IDS_REASON_INSERT_PAST_LIMIT,
     "inserting %d clocks at clock %d would move the note at clock %d past the chart's limit of "
     "two hours at %s BPM (clock %d)"},
    {IDS_REASON_DELETE_NEGATIVE, "rows are deleted from a clock of 0 or more, 0 or more clocks"},
    {IDS_REASON_NOTE_TO_MOVE_MISSING, "the note to move is not in this score"},
    {IDS_REASON_NOTE_TO_DELETE_MISSING, "the note to delete is not in this score"},
    {IDS_REASON_PANEL_SIZE_NOT_POSITIVE, "the panel size must be a number above 0"},
    {IDS_REASON_CLOCKS_PER_ROW, "clocks per row must be above 0, not %d"},
    {IDS_REASON_CHART_IMAGE_SIZE, "the chart image is 640 x 480 pixels"},
    {IDS_REASON_CHART_IMAGE_FORMAT, "the chart image is painted in RGB32 or premultiplied ARGB32"},
    {IDS_REASON_SPRITE_OUTSIDE_SHEET, "a sprite's source rectangle reaches outside its sheet"},
    {IDS_REASON_IMAGE_UNDECODABLE, "the embedded image %s cannot be decoded"},
    {IDS_REASON_IMAGE_WRONG_SIZE, "the embedded image %s is %d x %d pixels instead of %d x %d"},
    {IDS_REASON_TOON_INDEX, "toon index %d is not 0 to 9"},
    {IDS_REASON_NO_SOUND, "the file holds no sound"},
    {IDS_REASON_AUDIO_EMPTY, "\"%s\" is empty"},
    {IDS_REASON_AUDIO_CANNOT_OPEN, "Cannot open \"%s\""},
    {IDS_REASON_AUDIO_NO_STREAMS, "Cannot read the streams of \"%s\""},
    {IDS_REASON_AUDIO_NO_DECODABLE, "No decodable audio in \"%s\""},
    {IDS_REASON_AUDIO_CANNOT_START, "Cannot start decoding \"%s\""},
    {IDS_REASON_AUDIO_CANNOT_READ, "Cannot read \"%s\""},
    {IDS_REASON_AUDIO_NOTHING_DECODED, "No audio could be decoded from \"%s\""},
    {IDS_REASON_AUDIO_CANNOT_CONVERT, "Cannot convert the audio of \"%s\""},
    {IDS_REASON_AUDIO_NO_SAMPLE_RATE, "No sample rate in \"%s\""},
    {IDS_REASON_AUDIO_NO_SAMPLES, "No audio samples in \"%s\""},
    {IDS_REASON_AUDIO_OUTPUT_FORMAT, "Unsupported output format: %d Hz, %d channels"},
    {IDS_REASON_AUDIO_DECODED_TWICE, "The audio of \"%s\" has already been decoded"},
    {IDS_REASON_AUDIO_TOO_LONG, "\"%s\" is too long to play"},
    {IDS_REASON_AUDIO_NO_MEMORY, "Not enough memory to decode \"%s\""},
    {IDS_REASON_AUDIO_UNDECODABLE, "Cannot decode \"%s\""},
    {IDS_REASON_AVI_ALREADY_OPEN, "An AVI file is already being written"},
    {IDS_REASON_AVI_NOT_OPEN, "No AVI file is open to write a frame to"},
    {IDS_REASON_VIDEO_QUALITY, "The video quality must be 0 to 100, not %d"},
    {IDS_REASON_VIDEO_KEY_FRAMES, "A key frame every %d frames is out of range"},
    {IDS_REASON_VIDEO_DATA_RATE, "A data rate of %d kbit/s is out of range"},
    {IDS_REASON_VIDEO_UNKNOWN_ENCODER,
     "\"%s\" is not a video encoder AVI files can be written with here"},
    {IDS_REASON_VIDEO_NO_PIXEL_FORMAT,
     "The video encoder \"%s\" takes none of the pixel formats this program can give it"},
    {IDS_REASON_VIDEO_CANNOT_START, "Cannot start the video encoder \"%s\""},
    {IDS_REASON_VIDEO_NO_CONVERSION, "Cannot convert the frames for the video encoder \"%s\""},
    {IDS_REASON_VIDEO_FRAME_STRIDE, "A video frame needs 640 x 480 pixels, not a row stride of %d"},
    {IDS_REASON_VIDEO_NO_FRAME, "Cannot allocate a video frame"},
    {IDS_REASON_VIDEO_CANNOT_CONVERT, "Cannot convert a video frame"},
    {IDS_REASON_VIDEO_CANNOT_ENCODE, "Cannot encode a video frame"},
    {IDS_REASON_AVI_UNSUPPORTED, "This FFmpeg cannot write AVI files"},
    {IDS_REASON_AVI_CANNOT_START, "Cannot start writing \"%s\""},
    {IDS_REASON_AVI_CANNOT_WRITE_HEADER, "Cannot write the header of \"%s\""},
    {IDS_REASON_AVI_CANNOT_WRITE_FRAME, "Cannot write a frame to \"%s\""},
    {IDS_REASON_AVI_CANNOT_FINISH, "Cannot finish \"%s\""},
    {IDS_REASON_READ_IS_FOLDER, "cannot read \"%s\": it is a folder"},
    {IDS_REASON_READ_NOT_PLAIN_FILE, "cannot read \"%s\": it is not a plain file"},
    {IDS_REASON_CANNOT_OPEN, "cannot open \"%s\": %s"},
    {IDS_REASON_CANNOT_READ, "cannot read \"%s\": %s"},
    {IDS_REASON_READ_TOO_LARGE,
     "cannot read \"%s\": it is too large (%d bytes; a file of its kind may have %s)"},
    {IDS_REASON_SIZE_MEGABYTES, "%d MB"},
    {IDS_REASON_SIZE_BYTES, "%d bytes"},
    {IDS_REASON_TEMPO_ABOVE_LIMIT, "the tempo of %s BPM is above the chart's limit of %s BPM"},
    {IDS_REASON_GAP_BEYOND_LIMIT,
     "the gap of %d ms is beyond the chart's limit of %d ms either way"},
    {IDS_REASON_NOTE_BEFORE_START, "a note lies before the start of the chart (clock %d)"},
    {IDS_REASON_NOTE_NEGATIVE_LENGTH, "a note at clock %d has a negative length (%d)"},
    {IDS_REASON_NOTE_AFTER_LIMIT, "a note at clock %d lies after %s"},
    {IDS_REASON_FREEZE_AFTER_LIMIT, "a freeze at clock %d ends at clock %d, after %s"},
    {IDS_REASON_LIMIT_CLOCK, "the chart's limit of clock %d"},
    {IDS_REASON_LIMIT_TWO_HOURS, "the chart's limit of two hours at %s BPM (clock %d)"},
    {IDS_REASON_TOO_MANY_NOTES, "the chart has %d notes, more than the %d a chart may hold"},
    {IDS_REASON_IN_CHART, "in the %s %s chart, %s"},
    {IDS_REASON_AT_TEMPO_IN_CHART, "at %s BPM, in the %s %s chart, %s"},
    {IDS_REASON_IMPORT_REFUSED, "\"%s\": %s"},
    {IDS_REASON_NOT_DWI, "\"%s\" is not a DWI file: %s"},
    {IDS_REASON_DWI_HAS_NUL, "it holds NUL bytes, which a text file does not"},
    {IDS_REASON_DWI_NO_TAG, "it has no DWI tag (#TITLE, #BPM, #SINGLE, ...) with its value"},
};

constexpr bool IsSorted()
{
    for (std::size_t i = 1; i < std::size(kReasons); ++i)
        if (kReasons[i - 1].id >= kReasons[i].id)
            return false;
    return true;
}
static_assert(IsSorted(), "the English reasons must be in ascending ID order");

} // namespace

std::string_view EnglishReasonFormat(std::uint32_t id)
{
    const auto it = std::lower_bound(
        std::begin(kReasons), std::end(kReasons), id,
        [](const EnglishReason& reason, std::uint32_t key) { return reason.id < key; });
    return it != std::end(kReasons) && it->id == id ? it->format : std::string_view();
}

std::vector<std::uint32_t> EnglishReasonIds()
{
    std::vector<std::uint32_t> ids;
    ids.reserve(std::size(kReasons));
    for (const EnglishReason& reason : kReasons)
        ids.push_back(reason.id);
    return ids;
}

} // namespace zelvane
