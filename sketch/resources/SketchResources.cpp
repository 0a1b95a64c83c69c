// The module's strings, menu and dialog templates, and the table that gathers
// them with the bitmaps and cursors. Half-width katakana stay half-width, as the
// host's own menus and status bar show them.

#include "resources/SketchResources.h"

#include <iterator>

namespace {

constexpr OsStringResource kStrings[] = {
    {IDS_MODULE_NAME, "ｽｹｯﾁ機能ﾓｼﾞｭｰﾙ"},
    {IDS_SKETCH, "ｽｹｯﾁ"},
    {IDS_SKETCH_MENU, "ｽｹｯﾁ(&D)"},
    {ID_SCALE_NUMERIC, "拡大、縮小率を数値で入力\n拡大、縮小率入力"},
    {ID_SCALE_MOUSE, "ﾏｳｽ・ﾄﾞﾗｯｸﾞで拡大、縮小\nﾏｳｽで拡大、縮小"},
    {ID_MIRROR_HORIZONTAL, "水平方向への鏡像変換\n水平方向"},
    {ID_MIRROR_VERTICAL, "垂直方向への鏡像変換\n垂直方向"},
    {ID_ROTATE_180, "図形を180°回転\n180°"},
    {ID_ROTATE_CLOCKWISE, "図形を時計回りに90°回転\n90°回転(時計回り)"},
    {ID_ROTATE_COUNTERCLOCKWISE, "図形を反時計回りに90°回転\n90°回転(反時計回り)"},
    {ID_ROTATE_NUMERIC, "回転角度を数値で入力\n回転角度入力"},
    // The middle dot here is the half-width one, unlike ID_SCALE_MOUSE's.
    {ID_ROTATE_MOUSE, "ﾏｳｽ･ﾄﾞﾗｯｸﾞで回転\nﾏｳｽで回転"},
    // What the numeric dialogs say about a value out of range.
    {IDS_BAD_SCALE, "拡大、縮小率が不正です。\r\n1～1000 [%]の範囲で入力してください。"},
    {IDS_BAD_ANGLE, "回転角度が不正です。\r\n0～360度の範囲で入力してください。"},
};

constexpr OsMenuItemResource kScaleItems[] = {
    {"数値で倍率指定...(&N)", ID_SCALE_NUMERIC, nullptr, 0},
    {"ﾏｳｽで操作(&M)", ID_SCALE_MOUSE, nullptr, 0},
};

constexpr OsMenuItemResource kMirrorItems[] = {
    {"水平方向(&H)", ID_MIRROR_HORIZONTAL, nullptr, 0},
    {"垂直方向(&V)", ID_MIRROR_VERTICAL, nullptr, 0},
};

constexpr OsMenuItemResource kRotateItems[] = {
    {"180°(&T)", ID_ROTATE_180, nullptr, 0},
    {"90°(時計回り)(&C)", ID_ROTATE_CLOCKWISE, nullptr, 0},
    {"90°(反時計回り)(&U)", ID_ROTATE_COUNTERCLOCKWISE, nullptr, 0},
    {"数値で角度指定...(&N)", ID_ROTATE_NUMERIC, nullptr, 0},
    {"ﾏｳｽで自由に回転(&M)", ID_ROTATE_MOUSE, nullptr, 0},
};

constexpr OsMenuItemResource kColorItems[] = {
    {"黒色(&B)", ID_DISPLAY_BLACK, nullptr, 0},
    {"透過色(&T)", ID_DISPLAY_TRANSPARENT, nullptr, 0},
    {"反転色(&R)", ID_DISPLAY_INVERTED, nullptr, 0},
    {"ﾊﾟﾚｯﾄ色(&P)", ID_DISPLAY_PALETTE, nullptr, 0},
};

constexpr OsMenuItemResource kShowItems[] = {
    {"表示(&S)", ID_DISPLAY_SHOW, nullptr, 0},
    {"非表示(&H)", ID_DISPLAY_HIDE, nullptr, 0},
};

constexpr OsMenuItemResource kMenuItems[] = {
    {"拡大、縮小(&S)", 0, kScaleItems, static_cast<int>(std::size(kScaleItems))},
    {"鏡像(&M)", 0, kMirrorItems, static_cast<int>(std::size(kMirrorItems))},
    {"回転(&R)", 0, kRotateItems, static_cast<int>(std::size(kRotateItems))},
    {nullptr, 0, nullptr, 0},
    {"表示色(&C)", 0, kColorItems, static_cast<int>(std::size(kColorItems))},
    {"ｽｹｯﾁ表示(&V)", 0, kShowItems, static_cast<int>(std::size(kShowItems))},
};

constexpr OsMenuResource kMenus[] = {
    {IDR_SKETCH_MENU, kMenuItems, static_cast<int>(std::size(kMenuItems))},
};

constexpr char kDialogFont[] = "ＭＳ Ｐゴシック";
constexpr int kDialogFontPoints = 9;
constexpr DWORD kModalStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;
constexpr int kNoId = -1;

constexpr OsDialogControlResource kScaleControls[] = {
    {"BUTTON", kOkButton, 102, 7, 50, 14, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, nullptr},
    {"BUTTON", kCancelButton, 102, 24, 50, 14, "ｷｬﾝｾﾙ", WS_TABSTOP, nullptr},
    {"EDIT", IDC_VALUE, 51, 15, 20, 14, "", WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, nullptr},
    {"STATIC", kNoId, 5, 18, 43, 8, "拡大、縮小率：", SS_RIGHT, nullptr},
    {"STATIC", kNoId, 71, 18, 16, 8, " [ % ]", SS_LEFT, nullptr},
};

constexpr OsDialogControlResource kRotateControls[] = {
    {"BUTTON", kOkButton, 121, 7, 50, 14, "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, nullptr},
    {"BUTTON", kCancelButton, 121, 28, 50, 14, "ｷｬﾝｾﾙ", WS_TABSTOP, nullptr},
    {"STATIC", kNoId, 7, 24, 18, 8, "角度：", SS_RIGHT, nullptr},
    {"EDIT", IDC_VALUE, 27, 21, 19, 14, "", WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP, nullptr},
    {"BUTTON", IDC_CLOCKWISE, 52, 15, 55, 10, "度（時計回り）", BS_AUTORADIOBUTTON | WS_GROUP, nullptr},
    {"BUTTON", IDC_COUNTERCLOCKWISE, 52, 29, 62, 10, "度（反時計回り）", BS_AUTORADIOBUTTON, nullptr},
};

// The polygon options sit in the host's option palette; the template is created
// out of sight at y = -999 and moved into place by the palette.
constexpr OsDialogControlResource kPolygonControls[] = {
    {"STATIC", kNoId, 2, 5, 30, 8, "頂点の数", SS_LEFT, nullptr},
    {"PScrollBar", IDC_VERTEX_COUNT, 3, 16, 104, 16, "", WS_VISIBLE | WS_TABSTOP,
     "font=ＭＳ Ｐゴシック,128,400,8.25;min=3;max=100;value=3"},
};

constexpr OsDialogResource kDialogs[] = {
    {IDD_SCALE, "拡大、縮小率の入力", 0, 0, 161, 45, kDialogFont, kDialogFontPoints, kModalStyle, kScaleControls,
     static_cast<int>(std::size(kScaleControls))},
    {IDD_ROTATE, "角度の入力", 0, 0, 179, 49, kDialogFont, kDialogFontPoints, kModalStyle, kRotateControls,
     static_cast<int>(std::size(kRotateControls))},
    {IDD_POLYGON, nullptr, 0, -999, 111, 39, kDialogFont, kDialogFontPoints, WS_CHILD, kPolygonControls,
     static_cast<int>(std::size(kPolygonControls))},
};

}  // namespace

constinit const OsResourceTable kSketchResources = {
    kStrings,       static_cast<int>(std::size(kStrings)),
    kMenus,         static_cast<int>(std::size(kMenus)),
    kSketchBitmaps, kSketchBitmapCount,
    kSketchCursors, kSketchCursorCount,
    kDialogs,       static_cast<int>(std::size(kDialogs)),
};
