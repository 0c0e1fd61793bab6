// Every WM_COMMAND id of the framework's menus, keys and posted commands, in
// one list as a resource header keeps them. Ids are unique across the window
// kinds; 1045 (Window Info) is one command that the main window passes on to
// the current text window.
#pragma once

namespace zul {

enum CommandId : int {
  // ---- main window ----------------------------------------------------------------
  kCmdStart = 1001,
  kCmdExit = 1002,
  kCmdStop = 1003,
  kCmdPaste = 1026,
  kCmdImageWindow = 1027,
  kCmdTextWindow = 1028,
  kCmdInputBox = 1044,
  kCmdWindowInfo = 1045,  // also a text window command: the report itself
  kCmdButtonBox = 1051,

  // ---- image windows ----------------------------------------------------------------
  kIwLoadImage = 1004,
  kIwDestroy = 1005,
  kIwZoom50 = 1007,
  kIwZoom100 = 1008,
  kIwZoom200 = 1009,
  kIwSaveAs = 1010,
  kIwCut = 1011,
  kIwCopy = 1012,
  kIwPaste = 1013,         // at a clicked position (menu)
  kIwPasteTopLeft = 1014,  // at (0, 0) (Ctrl+V, no menu item)
  kIwInfoPixel = 1015,
  kIwLineRgb = 1016,
  kIwLineHsv = 1017,
  kIwLineYCrCb = 1018,
  kIwClipping = 1019,
  kIwLineCrCb = 1021,
  kIwAreaCrCb = 1022,
  kIwColorChange = 1031,
  kIwDrawLine = 1032,
  kIwDrawRow = 1034,
  kIwDrawColumn = 1035,
  kIwDrawBox = 1036,
  kIwFillBox = 1037,
  kIwXorFillBox = 1038,
  kIwDrawCircle = 1039,
  kIwFillCircle = 1040,
  kIwXorFillCircle = 1041,
  kIwDrawText = 1042,
  kIwPaint = 1043,
  kIwZoomPrompt = 1046,
  kIwResizePrompt = 1047,
  kIwTrueTypeDraw = 1048,
  kIwFontChange = 1049,
  kIwColorPick = 1052,
  kIwPatternRgb = 1053,
  kIwPatternHsv = 1054,
  kIwPatternYCrCb = 1055,
  kIwInvert = 1058,
  kIwHorzFlip = 1059,
  kIwVertFlip = 1060,
  kIwRotateRight = 1061,
  kIwRotateLeft = 1062,
  kIwSize50 = 1063,
  kIwSize71 = 1064,
  kIwSize141 = 1065,
  kIwSize200 = 1066,
  kIwPatternYuv = 1067,
  kIwPatternYiq = 1068,
  kIwLineLumi = 1070,
  kIwPatternGrey = 1071,

  // ---- text windows (and kCmdWindowInfo above) -------------------------------------
  kTextCmdDestroy = 1006,
  kTextCmdAbout = 1020,
  kTextCmdStartLog = 1024,
  kTextCmdStopLog = 1025,
  kTextCmdConsole = 1029,
  kTextCmdCopyLog = 1030,
  kTextCmdSelect = 1069,

  // ---- input box and button box -------------------------------------------------------
  kCmdInputBoxDestroy = 1023,
  kCmdInputBoxRename = 1056,
  kCmdButtonBoxDestroy = 1050,
  kCmdButtonBoxRename = 1057,

  // ---- controls -------------------------------------------------------------------------
  kStatusLabelId = 2001,  // the main window's status label
};

}  // namespace zul
