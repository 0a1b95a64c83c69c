// Placeholder until the dispatchers are written.
#include "trackers/TDCDirect.h"

IMPLEMENT_DYNAMIC(TDCDirect, TDCBase)
IMPLEMENT_DYNAMIC(TDCEdit, TDCBase)

TDCPointDispatch::~TDCPointDispatch() = default;
void TDCPointDispatch::DoIt() {}
void TDCPointDispatch::RedoIt() {}
void TDCPointDispatch::UndoIt() {}
void TDCPointDispatch::TrackFeedback(int, const OsImgPoint&, const OsImgPoint&, const OsImgPoint&, int, int) {}
void TDCDirect::TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) {}
BTracker* TDCDirect::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCDirect::IDCDirect(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
void TDCEdit::UndoIt() {}
void TDCEdit::TrackConstrain(int, const OsImgPoint&, const OsImgPoint&, OsImgPoint&, int) {}
BTracker* TDCEdit::TrackMouse(int, OsImgPoint&, OsImgPoint&, OsImgPoint&, int) { return this; }
void TDCEdit::IDCEdit(TObjectContainer*, BView*, BDocument*, OsImgPoint&, TDCheck*) {}
