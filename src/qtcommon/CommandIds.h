#pragma once

#include "text/StringTable.h"

namespace zelvane {

// Command numbers of the menus, accelerators and toolbar. They double as string-table IDs of
// the status-bar prompts, so they keep the numbers the string table uses.
enum CommandId : int {
    ID_VIEW_ZOOM_IN = 32771,
    ID_VIEW_ZOOM_OUT = 32772,
    ID_EDIT_INSERT_ROWS = 32773,
    ID_PLAY_FROM_START = 32776,
    ID_PLAY_FROM_CURSOR = 32777,
    ID_PLAY_STOP = 32778,
    ID_EDIT_ADD_MODE = 32781,
    ID_EDIT_SELECT_MODE = 32782,
    ID_FILE_MODEL = 32786,
    ID_FILE_BACKGROUND_AVI = 32793,
    ID_FILE_IMPORT_DWI = 32794,
    ID_FILE_SONG_SETTINGS = 32796,
    ID_FILE_MOTION_SETTINGS = 32798,
    ID_FILE_CREATE_MOTION = 32801,
    ID_VIEW_BACKGROUND_COLOR = 32803,
    ID_VIEW_SCREEN_COLOR = 32805,
    ID_FILE_AUDIO = 32806,
    ID_FILE_EXPORT_DWI = 32808,
    ID_PLAY_ASSIST_CLAP = 32850,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FIRST = 57616,
    ID_EDIT_DELETE = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    // Commands added since take their number from the program's own range of the table.
    ID_VIEW_FRAME_ALL = static_cast<int>(IDS_VIEW_FRAME_ALL),
    ID_EDIT_INSERT_TEMPO_CHANGE = static_cast<int>(IDS_EDIT_INSERT_TEMPO_CHANGE),
    ID_EDIT_INSERT_STOP = static_cast<int>(IDS_EDIT_INSERT_STOP),
    ID_EDIT_INSERT_DELAY = static_cast<int>(IDS_EDIT_INSERT_DELAY),
    ID_EDIT_DELETE_TEMPO_EVENTS = static_cast<int>(IDS_EDIT_DELETE_TEMPO_EVENTS),
    ID_EDIT_DETECT_TEMPO = static_cast<int>(IDS_EDIT_DETECT_TEMPO),
    ID_VIEW_WAVEFORM = static_cast<int>(IDS_VIEW_WAVEFORM),
};

} // namespace zelvane
