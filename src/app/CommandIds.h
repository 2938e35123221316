#pragma once

// The program's command numbers. The framework's own commands keep the
// framework's numbers so that a command reads the same wherever it is sent.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;

constexpr int ID_FILE_EXIT = 32774;
constexpr int ID_TOOLS_HELP = 32775;
constexpr int ID_TOOLS_TYPE_AWAY = 32776;
constexpr int ID_TOOLS_PREFERENCES = 32777;
constexpr int ID_EDIT_SELECT_ALL = 32779;
constexpr int ID_EDIT_CLEAR_ALL = 32795;
